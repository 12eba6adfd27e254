// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Plays the browser build's game on standard input and output, as the native game plays:
// the lines of standard input go through the page's own line queue and bridge, the bytes
// the game writes go to standard output, and the exit status is the game's. With
// "chaque-envoi", the game waits for its output after every send, as it does whenever the
// page lags behind: every place where the game can wait is then a place where it does.
// Usage: node --single-threaded tests/web/jouer.js BUILD_DIR [NANOSECONDS] [chaque-envoi] < input
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
const file = new FileDeLignes();
let debut = Buffer.alloc(0);
process.stdin.on('data', (morceau) => {
  let reste = Buffer.concat([debut, morceau]);
  for (let fin = reste.indexOf(10); fin >= 0; fin = reste.indexOf(10)) {
    file.envoyer(reste.subarray(0, fin + 1));
    reste = reste.subarray(fin + 1);
  }
  debut = reste;
});
process.stdin.on('end', () => {
  if (debut.length > 0) file.envoyer(debut);
  file.fermer();
});

const ecrire = (octets) => new Promise((fait) => process.stdout.write(octets, fait));
const execution = lancerLeJeu(creerLeJeu, file, ecrire, lecture ? horlogeFixe(lecture) : horlogeDuSysteme);
// A game that aborts has no status of its own: 70, an internal error, which no transcript expects.
execution.fin.then((statut) => {
  process.exitCode = statut === null ? 70 : statut;
  process.stdin.destroy();
});
