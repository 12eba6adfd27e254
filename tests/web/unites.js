// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page's parts that run without a browser: its line discipline, played key for key
// against a real Linux pseudo-terminal in canonical mode (tests/web/pty.py), and the
// bridge's reads and clock, and the screen reader's transcript of the native game's heaps.
// Usage: NATIF=NATIVE_GAME node --test tests/web/unites.js
'use strict';
const assert = require('assert');
const { execFileSync, spawnSync } = require('child_process');
const path = require('path');
const test = require('node:test');
const { creerDiscipline } = require('../../web/page/discipline.js');
const { FileDeLignes, lancerLeJeu, horlogeDuSysteme } = require('../../web/page/pont.js');

const FIN = 'FIN'; // the end of the input, as an empty read() is on Linux

// Keys as a player types them; Enter is a carriage return, which the terminal makes a line feed.
const TOUCHES = [
  ['Ctrl-A then Backspace erases both columns of ^A', '\x01\x7f'],
  ['é then Backspace erases the whole character', 'é\x7f'],
  ['Backspace on an empty line echoes nothing', '\x7f\x7f'],
  ['Ctrl-U erases the whole line', 'ab\x15'],
  ['Ctrl-D after ab sends ab without a line feed', 'ab\x04'],
  ['Ctrl-D on an empty line ends the input', '\x04'],
  ['a line of 5000 a keeps 4095 bytes and echoes them all', 'a'.repeat(5000) + '\r'],
  ['a line of 3000 é keeps what fits in 4095 bytes', 'é'.repeat(3000) + '\r'],
  ['a full line takes no more, then Enter', 'a'.repeat(4095) + 'bc\x7f\r'],
  ['an é that does not fit whole fills the line: the a after it is not kept', 'a'.repeat(4094) + 'éa\r'],
  ['Tabs erase back to their tab stops, counted as Linux counts ā', 'aā\t\tc\x7f\x7f\x7f\r'],
  ['an emoji is erased as one column', '\u{1F600}\x7f'],
  ['Ctrl-H between letters is kept and echoed ^H', 'a\bb\r'],
  ['Ctrl-W erases the last of two words, and what follows a word', 'ab cd\x17\re_f-g.h  \t\x17\r'],
  ['Ctrl-W counts é as a letter, ^A and the kernel\'s punctuation (א) as none', 'a.éx\x17\rb \x01c\x17\rd.אe\x17\r'],
  ['Ctrl-R echoes ^R and types the line again', 'a\x01\tb\x12c\r'],
  ['Ctrl-V takes Backspace, Ctrl-U, Enter and Ctrl-V as they are', 'a\x16\x7fb\x16\x15\x16\r\x16\x16\x7f\r'],
];

// The page's discipline given `touches` in one paste or a key at a time, then the lone line
// feed that ends each row on the terminal's side.
function discipline(touches, uneAUne) {
  const lus = [];
  let echo = '';
  let fermee = false;
  const file = {
    envoyer: (ligne) => fermee || lus.push(Buffer.from(ligne)),
    fermer: () => { fermee = true; lus.push(FIN); },
  };
  const d = creerDiscipline(file, (texte) => (echo += texte), () => {});
  if (uneAUne) for (const touche of touches) d.recevoir(touche);
  else d.recevoir(touches);
  d.recevoir('\n');
  return { echo: Buffer.from(echo), lus };
}

// Linux cuts a line at 4095 bytes even inside a character; the page keeps whole characters.
function sansCaractereCoupe(ligne) {
  if (ligne === FIN) return ligne;
  const fin = ligne[ligne.length - 1] === 10 ? 1 : 0;
  let corps = ligne.subarray(0, ligne.length - fin);
  while (corps.length > 0 && Buffer.from(corps.toString()).compare(corps) !== 0) corps = corps.subarray(0, -1);
  return Buffer.concat([corps, ligne.subarray(ligne.length - fin)]);
}

function terminalLinux(sequences) {
  const sortie = execFileSync('python3', [path.join(__dirname, 'pty.py')], { input: JSON.stringify(sequences) });
  return JSON.parse(sortie).map(({ echo, lus }) => {
    const lectures = lus.map((l) => (l === '' ? FIN : sansCaractereCoupe(Buffer.from(l, 'base64'))));
    // The page ends the input for good: what follows an end is never read.
    const fin = lectures.indexOf(FIN);
    return { echo: Buffer.from(echo, 'base64'), lus: fin >= 0 ? lectures.slice(0, fin + 1) : lectures };
  });
}

const montrer = (valeur) => JSON.stringify(Buffer.isBuffer(valeur) ? valeur.toString('latin1') : valeur).slice(0, 200);

test('the line discipline echoes and delivers what a Linux terminal does', () => {
  const linux = terminalLinux(TOUCHES.map(([, touches]) => touches));
  for (const [rang, [nom, touches]] of TOUCHES.entries()) {
    for (const uneAUne of [false, true]) {
      const page = discipline(touches, uneAUne);
      const comment = `${nom} (${uneAUne ? 'typed' : 'pasted'})`;
      assert.ok(page.echo.equals(linux[rang].echo),
        `${comment}: echo ${montrer(page.echo)}, Linux ${montrer(linux[rang].echo)}`);
      const lignes = (lus) => lus.map((l) => (l === FIN ? l : l.toString('base64')));
      assert.deepStrictEqual(lignes(page.lus), lignes(linux[rang].lus),
        `${comment}: lines read ${page.lus.map(montrer)}, Linux ${linux[rang].lus.map(montrer)}`);
    }
  }
});

test('the transcript says a heap by its count and its rows in one line, switched on or off', async () => {
  global.document = { createElement: () => ({}) };
  const { creerLecture } = require('../../web/page/lecture.js');
  for (const [tas, allume] of [['998', true], ['100000', true], ['100000', false], ['10000000', false]]) {
    const journal = { paragraphes: [], append(p) { this.paragraphes.push(p.textContent); }, replaceChildren() {} };
    const lecture = creerLecture(journal);
    lecture.allumer(allume);
    const sortie = spawnSync(process.env.NATIF, { input: `1\n2\n${tas}\n1\n3\n`, maxBuffer: 1e9 }).stdout;
    for (let i = 0; i < sortie.length; i += 65536) lecture.recevoir(sortie.subarray(i, i + 65536));
    lecture.publier();
    lecture.allumer(true);
    await new Promise((fait) => setTimeout(fait, 0));
    const dit = journal.paragraphes[0] || '';
    assert.ok(dit.split(`${tas} allumettes :`).length === 2 && !/barres?\n\d+ barres/.test(dit) &&
      dit.endsWith('Gagnera [1] , Perdra [2] ?'), `${tas} (${allume ? 'on' : 'off'}): ${dit.slice(-400)}`);
  }
});

test('the bridge hands the game no more of a line than its buffer holds', async () => {
  const file = new FileDeLignes();
  let pont;
  lancerLeJeu((module) => {
    pont = module.pont;
    return new Promise(() => {});
  }, file, () => {});
  file.envoyer(Buffer.alloc(5000, 0x61));
  file.envoyer('b\n');
  const tailles = [];
  for (let i = 0; i < 3; i++) tailles.push((await pont.lire(4096)).length);
  assert.deepStrictEqual(tailles, [4096, 904, 2]);
});

test('the page clock adds its two readings, and draws the digits below its step', () => {
  const cas = [
    // timeOrigin and now() in milliseconds, with more digits than the browser gives; the
    // step below which the digits are drawn, and the nanoseconds with a draw of step - 1.
    [{ timeOrigin: 1765000000123.4567, now: () => 10.0016 }, 1765000000, 1000, 133459999],
    [{ timeOrigin: 1765000000999.9996, now: () => 0.0004 }, 1765000001, 1e6, 999999],
    [{ timeOrigin: 1765000000123.4, now: () => 10.1 }, 1765000000, 1e5, 133599999],
    [{ timeOrigin: 1765000000123, now: () => 10 }, 1765000000, 1e6, 133999999],
  ];
  for (const [mesure, secondes, pas, nanosecondes] of cas) {
    const pasVus = [];
    const lecture = horlogeDuSysteme(mesure, (n) => (pasVus.push(n), n - 1));
    assert.deepStrictEqual([lecture, pasVus], [{ secondes, nanosecondes }, [pas]], JSON.stringify(mesure.timeOrigin));
  }
});
