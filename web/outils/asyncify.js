// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Prints the names of the game's functions on the stack wherever it waits for the page, one
// a line, as asyncify's lists take them (each run of <, > and commas made one wildcard):
// every transcript and three heaps of 100,000 matches are played by a build that keeps its
// functions' names (see web/outils/asyncify.sh), every write waiting. What the game does at its
// exit never waits: the bridge empties its output first.
// Usage: node web/outils/asyncify.js BUILD_DIR TRANSCRIPTS_DIR
'use strict';
const fs = require('fs');
const path = require('path');
const { FileDeLignes, lancerLeJeu, horlogeFixe } = require('../page/pont.js');

const [dossier, transcripts] = process.argv.slice(2);
const creerLeJeu = require(path.resolve(dossier, 'allumettes.js'));
Error.stackTraceLimit = Infinity;
process.setMaxListeners(0); // each run of the game listens to the process
const noms = new Set();
// Heaps of 100,000 matches, drawn plainly, and with the help when removing and when adding.
const GRANDS_TAS = ['1\n2\n100000\n1\n3\n1\n1\n0\n0\n0\n', '2\n2\n100000\n1\n3\n1\n1\n0\n0\n0\n',
  '2\n2\n0\n100000\n3\n1\n1\n0\n0\n0\n'];

// The game's own frames on the stack now, as V8 names a WebAssembly function.
function noterLaPile() {
  for (const ligne of new Error().stack.split('\n')) {
    const cadre = ligne.match(/^\s*at (.*) \(wasm:\/\/wasm\/[^)]*\)$/);
    if (cadre) noms.add(cadre[1].replace(/[<>,]/g, '*').replace(/\*+/g, '*'));
  }
}

// One run on `entree`, the clock fixed, every wait noted.
function jouer(entree, horloge) {
  const file = new FileDeLignes();
  for (let debut = 0; debut < entree.length;) {
    const fin = entree.indexOf(10, debut);
    const suite = fin < 0 ? entree.length : fin + 1;
    file.envoyer(entree.subarray(debut, suite));
    debut = suite;
  }
  file.fermer();
  const creer = (module) => {
    const { lire, attendre } = module.pont;
    module.pont.enRetard = () => true;
    module.pont.attendre = () => (noterLaPile(), attendre());
    module.pont.lire = (taille) => (noterLaPile(), lire(taille));
    return creerLeJeu(module);
  };
  return lancerLeJeu(creer, file, () => {}, horlogeFixe(horloge)).fin;
}

async function main() {
  const entrees = GRANDS_TAS.map((entree) => [Buffer.from(entree), '12345']);
  for (const nom of fs.readdirSync(transcripts).filter((f) => f.endsWith('.in'))) {
    const cas = fs.readFileSync(path.join(transcripts, nom.replace(/\.in$/, '.cas')), 'utf8');
    const horloge = (cas.match(/^horloge=(\d+)/m) || [])[1] || '12345';
    entrees.push([fs.readFileSync(path.join(transcripts, nom)), horloge]);
  }
  for (const [entree, horloge] of entrees) await jouer(entree, horloge);
  process.stdout.write([...noms].sort().map((nom) => `${nom}\n`).join(''));
}

main();
