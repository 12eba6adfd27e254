// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Plays the browser build's game on standard input and output, as the native game plays:
// the lines of standard input go through the page's own line queue and bridge, the bytes
// the game writes go to standard output, and the exit status is the game's. With
// "chaque-envoi", the game waits for its output after every send, as it does whenever the
// page lags behind: every place where the game can wait is then a place where it does.
// Usage: node tests/web/jouer.js BUILD_DIR [NANOSECONDS] [chaque-envoi] < input
'use strict';
const path = require('path');
const { FileDeLignes, lancerLeJeu, horlogeFixe, horlogeDuSysteme } = require('../../web/page/pont.js');

const [dossier, lecture, attente] = process.argv.slice(2);
if (!dossier) {
  console.error('usage: node tests/web/jouer.js BUILD_DIR [NANOSECONDS] [chaque-envoi] < input');
  process.exit(2);
}
const creerLeJeuSeul = require(path.resolve(dossier, 'allumettes.js'));
const creerLeJeu = attente !== 'chaque-envoi' ? creerLeJeuSeul : (module) => {
  module.pont.enRetard = () => true;
  return creerLeJeuSeul(module);
};

// Standard input cut into lines of bytes, each with its line feed; the last may have none.
// It is read whole first: fed as a stream, the game's end of input sometimes never came
// (about one run in six, the runner then waiting for ever).
const entree = require('fs').readFileSync(0);
const file = new FileDeLignes();
for (let debut = 0; debut < entree.length;) {
  const fin = entree.indexOf(10, debut);
  const suite = fin < 0 ? entree.length : fin + 1;
  file.envoyer(entree.subarray(debut, suite));
  debut = suite;
}
file.fermer();

const ecrire = (octets) => new Promise((fait) => process.stdout.write(octets, fait));
const execution = lancerLeJeu(creerLeJeu, file, ecrire, lecture ? horlogeFixe(lecture) : horlogeDuSysteme);
// A game that aborts has no status of its own: 70, an internal error, which no transcript expects.
execution.fin.then((statut) => {
  process.exitCode = statut === null ? 70 : statut;
});
