// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The microphone's samples, handed from the audio thread to the page in
// batches: one message per 1024 samples (about 21 ms at 48 kHz) keeps the
// page's cost low and still writes a letter well within half a second.
const PACZKA = 1024;

class Probki extends AudioWorkletProcessor {
  constructor() {
    super();
    this.paczka = new Float32Array(PACZKA);
    this.ile = 0;
  }

  process([wejscie]) {
    const kanal = wejscie[0];
    for (let i = 0; kanal && i < kanal.length;) {
      const ile = Math.min(kanal.length - i, PACZKA - this.ile);
      this.paczka.set(kanal.subarray(i, i + ile), this.ile);
      this.ile += ile;
      i += ile;
      if (this.ile === PACZKA) {
        this.port.postMessage(this.paczka, [this.paczka.buffer]);
        this.paczka = new Float32Array(PACZKA);
        this.ile = 0;
      }
    }
    return true;
  }
}

registerProcessor('probki', Probki);
