// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page's start: the window is in the page as built; this loads the
// module, wires the window to it and follows the screen's layout. When the
// module cannot run, the page says so in place of the window.
import { Modul } from './modul.js';
import { podlaczNadawanie } from './nadawanie.js';
import { uruchomOkno } from './okno.js';
import { dopasujWysokosc, sledzUklad } from './uklad.js';

async function uruchom() {
  const odpowiedz = await fetch('wirlok.wasm');
  if (!odpowiedz.ok) throw new Error(`wirlok.wasm: ${odpowiedz.status}`);
  const modul = await Modul.zBajtow(await odpowiedz.arrayBuffer());
  let telefon = () => false;
  const pola = uruchomOkno(modul, (pole) => dopasujWysokosc(pole, telefon()));
  telefon = sledzUklad(modul.tabela, pola);
  podlaczNadawanie(modul);
  document.getElementById('Tlumacz').focus({ preventScroll: true });
  document.documentElement.dataset.gotowe = performance.now().toFixed(1);
}

uruchom().catch((blad) => {
  document.querySelector('main').hidden = true;
  document.getElementById('blad').hidden = false;
  throw blad;
});
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
