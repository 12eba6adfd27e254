// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The game read by a screen reader: the page keeps its own transcript for it, a log region to
// which all the game wrote since the last answer is added as one paragraph, once the game
// waits for the next. One paragraph an answer is all the reader is told of, where the
// terminal's own rows would each change as the screen scrolls. Its text is the game's, its
// escape sequences left out and each run of bars said as a count. Switched off, nothing is
// added; switched on, the last paragraph is told again: what the game waits for now.
'use strict';

// Paragraphs kept for reading back; older ones go.
const PARAGRAPHES_GARDES = 40;
// Of what the game writes between two answers, the end is kept: the question and the screen
// before it, whole lines. A heap of millions of matches is not kept whole.
const CARACTERES_GARDES = 8000;

// The game's bytes as a reader should say them, a line of text each.
function texteAEntendre(brut) {
  return brut
    .replace(/\x1b\[[0-9;?]*[ -/]*[@-~]/g, '') // the screen's controls
    .replace(/[\x00-\x08\x0b-\x1f\x7f]/g, '')
    .split('\n')
    .map((ligne) => ligne
      .replace(/\|(?:\s*\|)+/g, (barres) => `${barres.split('|').length - 1} barres`)
      .replace(/\s+/g, ' ')
      .trim())
    .filter((ligne) => ligne !== '')
    .join('\n');
}

// `journal` is the log region; recevoir(octets) takes what the game writes, publier() makes
// a paragraph of it when the game waits, allumer(oui) switches the reading.
function creerLecture(journal) {
  const decodeur = new TextDecoder();
  let enCours = '';
  let dernier = '';
  let allume = false;
  function ajouter(texte) {
    const paragraphe = document.createElement('p');
    paragraphe.textContent = texte;
    journal.append(paragraphe);
    while (journal.childElementCount > PARAGRAPHES_GARDES) journal.firstElementChild.remove();
  }
  return {
    recevoir(octets) {
      const tout = enCours + decodeur.decode(octets, { stream: true });
      if (tout.length <= CARACTERES_GARDES) enCours = tout;
      else {
        // From a line's start, so that no escape sequence is cut.
        const debut = tout.indexOf('\n', tout.length - CARACTERES_GARDES);
        enCours = debut < 0 ? tout.slice(-CARACTERES_GARDES) : tout.slice(debut + 1);
      }
    },
    publier() {
      const texte = texteAEntendre(enCours);
      enCours = '';
      if (!texte) return;
      dernier = texte;
      if (allume) ajouter(texte);
    },
    allumer(oui) {
      allume = oui;
      if (!oui) journal.replaceChildren();
      // Added in a later task, so that the region is known to the reader before it changes.
      else if (dernier) setTimeout(() => allume && ajouter(dernier), 0);
    },
  };
}
