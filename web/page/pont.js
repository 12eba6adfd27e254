// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The bridge between the game and whoever plays it, the page as the node runner: the lines
// the player sends, the bytes the game writes, and the clock. The game calls it as
// Module.pont (src/platform/web.cpp).
'use strict';

// How many bytes the game may have written ahead of what its output has shown: beyond it,
// the game waits, so that a very large heap never piles up in memory. Enough for the
// terminal never to run dry while the game refills it.
const LIMITE_EN_ATTENTE = 1024 * 1024;
const UTF8 = new TextEncoder();

// The lines sent to the game, in their order; after fermer(), the end of the input, for
// good. A line is sent as text or bytes, and read as a Uint8Array of its UTF-8 bytes, its
// line feed included when it has one; text is encoded only once read.
class FileDeLignes {
  constructor() {
    this.lignes = [];
    this.tete = 0; // the next line to read: a paste of many lines is not shifted line by line
    this.fermee = false;
    this.reveil = null;
  }

  // Adds one line, text or bytes, its line feed included unless Ctrl-D sent it.
  envoyer(ligne) {
    if (this.fermee) return;
    this.lignes.push(ligne);
    this.reveiller();
  }

  fermer() {
    this.fermee = true;
    this.reveiller();
  }

  // The next line, or null once the input has ended and every line was read. quandAttendue(),
  // if set, is told each time the game starts to wait for a line nobody has sent yet.
  async suivante() {
    while (this.enFile() === 0 && !this.fermee) {
      if (this.quandAttendue) this.quandAttendue();
      await new Promise((reveil) => (this.reveil = reveil));
    }
    if (this.enFile() === 0) return null;
    const ligne = this.lignes[this.tete++];
    if (this.tete === this.lignes.length) {
      this.lignes = [];
      this.tete = 0;
    }
    return typeof ligne === 'string' ? UTF8.encode(ligne) : ligne;
  }

  enFile() {
    return this.lignes.length - this.tete;
  }

  // True while the game waits for a line that nobody has sent yet.
  attendue() {
    return this.reveil !== null && this.enFile() === 0 && !this.fermee;
  }

  reveiller() {
    const reveil = this.reveil;
    this.reveil = null;
    if (reveil) reveil();
  }
}

// The wall clock, split into whole seconds and the nanoseconds within the second. Browsers
// count it in steps of 5 microseconds at the finest, of 100 microseconds or a millisecond
// in a page opened from disk; each part is rounded to the microsecond on its own, so that
// the sum is exact, where a sum of milliseconds in one double would add rounding noise
// below the microsecond. The digits below the clock's step (the largest power of ten that
// the reading is a multiple of, a microsecond at least) are drawn at random: the seed, the
// low 16 bits of the nanoseconds, can then take every one of its values. `mesure` is the
// browser's performance; hasard(n) draws a whole number below n.
function horlogeDuSysteme(mesure = performance, hasard = auHasard) {
  const microsecondes = Math.round(mesure.timeOrigin * 1000) + Math.round(mesure.now() * 1000);
  const secondes = Math.floor(microsecondes / 1e6);
  let pas = 1000;
  while (pas < 1e6 && microsecondes % ((pas * 10) / 1000) === 0) pas *= 10;
  return { secondes, nanosecondes: (microsecondes - secondes * 1e6) * 1000 + hasard(pas) };
}
const auHasard = (n) => crypto.getRandomValues(new Uint32Array(1))[0] % n;

// A clock reading fixed in nanoseconds since the epoch (a decimal string), as the tests
// fix the native game's clock.
function horlogeFixe(lecture) {
  const ns = BigInt(lecture);
  return () => ({ secondes: Number(ns / 1000000000n), nanosecondes: Number(ns % 1000000000n) });
}

// Starts one run of the game, a new instance made by creerLeJeu (allumettes.js), reading
// its lines from `file` and handing its output to `ecrire(octets)`, which returns a promise
// once the bytes are shown. Returns the run: `fin`, a promise of the exit status, and
// `arreter()`, which ends the run where it stands, as Ctrl-C ends a program.
function lancerLeJeu(creerLeJeu, file, ecrire, horloge = horlogeDuSysteme) {
  const execution = { arretee: false, enAttente: 0, ecrits: 0, reveil: null, reste: null };
  let terminer;
  execution.fin = new Promise((resoudre) => (terminer = resoudre));
  const jamais = new Promise(() => {});

  // Up to `taille` bytes of the current line; a new line is awaited only once it is used up.
  async function lire(taille) {
    while (!execution.arretee && (execution.reste === null || execution.reste.length === 0)) {
      execution.reste = await file.suivante();
      if (execution.reste === null) return null;
    }
    if (execution.arretee) return jamais;
    const morceau = execution.reste.subarray(0, taille);
    execution.reste = execution.reste.subarray(morceau.length);
    return morceau;
  }

  function montrer(octets) {
    if (execution.arretee) return;
    execution.enAttente += octets.length;
    execution.ecrits += octets.length;
    Promise.resolve(ecrire(octets)).then(() => {
      execution.enAttente -= octets.length;
      if (execution.enAttente < LIMITE_EN_ATTENTE && execution.reveil) execution.reveil();
    });
  }

  const enRetard = () => execution.enAttente >= LIMITE_EN_ATTENTE || execution.arretee;
  async function attendre() {
    while (enRetard()) {
      if (execution.arretee) return jamais;
      await new Promise((reveil) => (execution.reveil = reveil));
    }
    execution.reveil = null;
  }

  execution.arreter = () => {
    execution.arretee = true;
    terminer(null);
  };
  creerLeJeu({
    pont: { lire, ecrire: montrer, enRetard, attendre, horloge },
    onAbort: () => terminer(null),
    // An exit unwinds the game's stack by a throw, caught below.
    quit: (statut, exception) => {
      throw exception;
    },
    print: () => {},
    printErr: () => {},
  }).then(async (jeu) => {
    let statut;
    try {
      statut = await jeu.ccall('main', 'number', [], [], { async: true });
    } catch (exception) {
      if (!exception || exception.name !== 'ExitStatus') return terminer(null);
      // The game's own exit(): while ccall keeps the runtime alive, the runtime's exit
      // leaves std::cout unflushed.
      jeu._vider_la_sortie();
      return terminer(exception.status);
    }
    // main returned: what it wrote is handed over, then exit ends the run as the C runtime does.
    try {
      jeu._vider_la_sortie();
      jeu._exit(statut);
    } catch (exception) {
      if (!exception || exception.name !== 'ExitStatus') return terminer(null);
    }
    terminer(statut);
  }, () => terminer(null));
  return execution;
}

if (typeof module !== 'undefined') {
  module.exports = { FileDeLignes, lancerLeJeu, horlogeFixe, horlogeDuSysteme };
}
