// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page's start: the window is in the page as built; this loads the
// module, wires the window to it and follows the screen's layout. When the
// module or a script cannot be loaded or run, the page says so in place of
// the window. The imports are dynamic so that their failure lands there too,
// and they load alongside the module, after the first paint, which so shows
// the window without waiting for any of them.
async function uruchom() {
  await new Promise((dalej) => requestAnimationFrame(() => setTimeout(dalej)));
  const [odpowiedz, { Modul }, { uruchomOkno }, { dopasujWysokosc, sledzUklad }, { podlaczNadawanie }, { podlaczOdbieranie },
    { podlaczNasluch }, { podlaczNauke }] = await Promise.all([fetch('wirlok.wasm'), import('./modul.js'), import('./okno.js'),
    import('./uklad.js'), import('./nadawanie.js'), import('./odbieranie.js'), import('./nasluch.js'), import('./nauka.js')]);
  if (!odpowiedz.ok) throw new Error(`wirlok.wasm: ${odpowiedz.status}`);
  const modul = await Modul.zBajtow(await odpowiedz.arrayBuffer());
  let telefon = () => false;
  const { pola, cofanie } = uruchomOkno(modul, (pole) => dopasujWysokosc(pole, telefon()));
  telefon = sledzUklad(modul.tabela, pola);
  podlaczNadawanie(modul);
  podlaczNasluch(modul, podlaczOdbieranie(modul, pola, cofanie));
  podlaczNauke(modul);
  document.getElementById('Tlumacz').focus({ preventScroll: true });
  document.documentElement.dataset.gotowe = performance.now().toFixed(1);
}

uruchom().catch((blad) => {
  document.querySelector('main').hidden = true;
  document.getElementById('blad').hidden = false;
  throw blad;
});
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
