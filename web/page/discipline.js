// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The line discipline: what a Linux terminal in canonical mode (stty sane iutf8, so with
// ECHOCTL and IEXTEN) does with the keys before the game sees them. It handles Enter,
// Backspace, Ctrl-U (erase the line), Ctrl-W (erase a word), Ctrl-R (type the line again),
// Ctrl-V (take the next key as it is), Ctrl-D and Ctrl-C; every other control character,
// Ctrl-H among them, is kept and echoed as ^ and a letter, Tab as itself. Ctrl-Z, Ctrl-\ and
// Ctrl-S stop or suspend a program, which a page cannot. Loaded alone by the tests under
// node, and inlined in the page.
'use strict';

// A Linux terminal keeps at most 4095 bytes of a line, its line feed apart.
const LIGNE_MAXIMUM = 4095;

// A control character but Tab is echoed as ^ and a letter, two columns wide, as terminals do.
function echoDe(caractere) {
  const code = caractere.charCodeAt(0);
  if (caractere === '\t') return caractere;
  if (code < 32) return '^' + String.fromCharCode(code + 64);
  return code === 127 ? '^?' : caractere;
}

// The bytes a character takes in UTF-8 (a lone surrogate is replaced by three).
function octetsDe(caractere) {
  const code = caractere.codePointAt(0);
  if (code < 0x80) return 1;
  if (code < 0x800) return 2;
  return code < 0x10000 ? 3 : 4;
}

// The column after `texte` is written from `colonne`, counted as Linux counts it for its
// output: line ends go back to 0, Tab to the next multiple of 8, Backspace one back; other
// control bytes and UTF-8 continuation bytes do not move it, any other byte moves it one.
function colonneApres(colonne, texte) {
  for (const octet of typeof texte === 'string' ? new TextEncoder().encode(texte) : texte) {
    if (octet === 10 || octet === 13) colonne = 0;
    else if (octet === 9) colonne = (colonne | 7) + 1;
    else if (octet === 8) colonne = Math.max(0, colonne - 1);
    else if (octet > 31 && octet !== 127 && !(octet >= 0x80 && octet < 0xc0)) colonne++;
  }
  return colonne;
}

// The columns Linux counts for a character of the line when it erases a Tab: 2 for a
// control character (echoed as ^ and a letter), 1 for any other.
const colonnesComptees = ({ caractere }) => (echoDe(caractere) === caractere ? 1 : 2);

// The keys as a terminal in canonical mode takes them: typed characters are echoed,
// Backspace erases one, Ctrl-U the whole line, Enter sends the line with its line feed,
// Ctrl-D sends what is typed or, on an empty line, ends the input, Ctrl-C interrupts.
// Like Linux, it echoes every character typed but keeps only what fits in the line: the
// first character that does not fit whole fills it (Linux keeps its first bytes, which the
// page cannot send alone, so it sends nothing of it), and nothing after it is kept. Lines
// go to `file` (envoyer, fermer); echo(texte) shows the echo; interrompre() is called on
// Ctrl-C; sortie(octets) follows the game's output, from which a Tab is erased.
function creerDiscipline(file, echo, interrompre) {
  let litteral = false; // after Ctrl-V: the next key is kept as it is
  let ligne = []; // the line kept: each character with what it sends and the bytes it takes
  let octets = 0;
  let vu = [];
  let colonne = 0; // the output's column, as Linux counts it
  let colonneDuDebut = 0; // the column where the line's first character was echoed
  function montrer(texte) {
    vu.push(texte);
    colonne = colonneApres(colonne, texte);
  }
  // Linux erases a Tab back to its tab stop, counted from the Tab before it or from where
  // the line began, by its own count of the line's bytes.
  function recul(rang) {
    let colonnes = 0;
    for (let i = rang - 1; i >= 0; i--) {
      if (ligne[i].caractere === '\t') return 8 - (colonnes & 7);
      colonnes += colonnesComptees(ligne[i]);
    }
    return 8 - ((colonnes + colonneDuDebut) & 7);
  }
  function effacer() {
    const { caractere, taille } = ligne.pop();
    if (caractere === '\t') montrer('\b'.repeat(recul(ligne.length)));
    else montrer('\b \b'.repeat(echoDe(caractere) === caractere ? 1 : 2));
    octets -= taille;
  }
  // Linux erases back over what is not part of a word, then over the word: letters, digits
  // and _, and every character beyond ASCII but those whose first UTF-8 byte the kernel
  // counts as punctuation (0xD7, 0xF7).
  function effacerUnMot() {
    let dansLeMot = false;
    while (ligne.length > 0) {
      const point = ligne[ligne.length - 1].caractere.codePointAt(0);
      const tete = point < 0x800 ? 0xc0 | (point >> 6) : point < 0x10000 ? 0xe0 | (point >> 12) : 0xf0 | (point >> 18);
      const lettre = point < 0x80 ? /\w/.test(String.fromCodePoint(point)) : tete !== 0xd7 && tete !== 0xf7;
      if (!lettre && dansLeMot) return;
      dansLeMot = dansLeMot || lettre;
      effacer();
    }
  }
  function envoyer(fin) {
    file.envoyer(ligne.map((c) => c.envoye).join('') + fin);
    ligne = [];
    octets = 0;
  }
  function garder(caractere) {
    if (octets >= LIGNE_MAXIMUM) return;
    if (ligne.length === 0) colonneDuDebut = colonne;
    const taille = Math.min(octetsDe(caractere), LIGNE_MAXIMUM - octets);
    const entier = taille === octetsDe(caractere);
    ligne.push({ caractere, envoye: entier ? caractere : '', taille });
    octets += taille;
  }
  // Printable text as typed or pasted, kept while the line has room.
  function ajouter(texte) {
    litteral = false;
    for (const caractere of texte) garder(caractere);
    montrer(texte);
  }
  // One control character; false once the run is interrupted.
  function controle(c) {
    if (litteral) {
      litteral = false;
      garder(c);
      montrer(echoDe(c));
    } else if (c === '\r' || c === '\n') {
      montrer('\r\n');
      envoyer('\n');
    } else if (c === '\x7f') {
      if (ligne.length > 0) effacer();
    } else if (c === '\x15') {
      while (ligne.length > 0) effacer();
    } else if (c === '\x17') {
      effacerUnMot();
    } else if (c === '\x12') {
      montrer('^R\r\n' + ligne.map(({ caractere }) => echoDe(caractere)).join(''));
    } else if (c === '\x16') {
      litteral = true;
      montrer('^\b');
    } else if (c === '\x04') {
      if (ligne.length > 0) envoyer('');
      else file.fermer();
    } else if (c === '\x03') {
      montrer('^C\r\n');
      return false;
    } else {
      garder(c);
      montrer(echoDe(c));
    }
    return true;
  }
  // A paste of a megabyte goes by runs of text between control characters, not key by key.
  function recevoir(touches) {
    let suite = true;
    for (const morceau of touches.split(/([\x00-\x1f\x7f])/)) {
      if (morceau.length === 1 && /[\x00-\x1f\x7f]/.test(morceau)) suite = controle(morceau);
      else if (morceau) ajouter(morceau);
      if (!suite) break;
    }
    if (vu.length > 0) echo(vu.join(''));
    vu = [];
    if (!suite) interrompre();
  }
  // Only what follows the output's last line end moves the column from 0.
  const sortie = (octetsEcrits) => {
    const fin = Math.max(octetsEcrits.lastIndexOf(10), octetsEcrits.lastIndexOf(13));
    colonne = fin < 0 ? colonneApres(colonne, octetsEcrits) : colonneApres(0, octetsEcrits.subarray(fin + 1));
  };
  return { recevoir, sortie };
}

if (typeof module !== 'undefined') module.exports = { creerDiscipline, LIGNE_MAXIMUM };
