// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The line discipline: what a Linux terminal in canonical mode does with the keys before
// the game sees them. Loaded alone by the tests under node, and inlined in the page.
'use strict';

// A Linux terminal keeps at most 4095 bytes of a line, its line feed apart.
const LIGNE_MAXIMUM = 4095;

// A control character is echoed as ^ and a letter, two columns wide, as terminals do.
function echoDe(caractere) {
  const code = caractere.charCodeAt(0);
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

// The keys as a terminal in canonical mode takes them: typed characters are echoed,
// Backspace erases one, Ctrl-U the whole line, Enter sends the line with its line feed,
// Ctrl-D sends what is typed or, on an empty line, ends the input, Ctrl-C interrupts.
// Like Linux, it echoes every character typed but keeps only what fits in the line, and
// cuts it between whole characters. Lines go to `file` (envoyer, fermer); echo(texte)
// shows the echo; interrompre() is called on Ctrl-C.
function creerDiscipline(file, echo, interrompre) {
  let caracteres = []; // the line kept, a character each
  let octets = 0;
  let vu = [];
  function effacer() {
    vu.push('\b \b'.repeat(echoDe(caracteres[caracteres.length - 1]).length));
    octets -= octetsDe(caracteres.pop());
  }
  function envoyer(fin) {
    file.envoyer(caracteres.join('') + fin);
    caracteres = [];
    octets = 0;
  }
  function garder(caractere) {
    const taille = octetsDe(caractere);
    if (octets + taille > LIGNE_MAXIMUM) return;
    caracteres.push(caractere);
    octets += taille;
  }
  // Printable text as typed or pasted, kept while the line has room.
  function ajouter(texte) {
    for (const caractere of texte) {
      if (octets >= LIGNE_MAXIMUM) break;
      garder(caractere);
    }
    vu.push(texte);
  }
  // One control character; false once the run is interrupted.
  function controle(c) {
    if (c === '\r' || c === '\n') {
      vu.push('\r\n');
      envoyer('\n');
    } else if (c === '\x7f' || c === '\b') {
      if (caracteres.length > 0) effacer();
    } else if (c === '\x15') {
      while (caracteres.length > 0) effacer();
    } else if (c === '\x04') {
      if (caracteres.length > 0) envoyer('');
      else file.fermer();
    } else if (c === '\x03') {
      vu.push('^C\r\n');
      return false;
    } else {
      garder(c);
      vu.push(echoDe(c));
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
  return { recevoir };
}

if (typeof module !== 'undefined') module.exports = { creerDiscipline, LIGNE_MAXIMUM };
