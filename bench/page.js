// The browser page: its size, and the time from opening it from disk in headless Chromium
// to the game waiting at its first question, measured by the page's own clock from the
// start of the navigation. Usage: node bench/page.js BUILD_WEB_DIR [RUNS]
'use strict';
const fs = require('fs');
const path = require('path');
const { lancer } = require('../tests/web/moteurs.js');

async function main() {
  const [dossier, essais = '20'] = process.argv.slice(2);
  console.log(`  allumettes.html: ${fs.statSync(path.join(dossier, 'allumettes.html')).size} bytes`);
  const chromium = await lancer('chromium', dossier);
  const navigateur = chromium.onglet.browser();
  const adresse = 'file://' + path.resolve(dossier, 'allumettes.html');
  const durees = [];
  try {
    for (let essai = 0; essai < Number(essais); essai++) {
      const onglet = await navigateur.newPage();
      await onglet.goto(adresse);
      const attente = await onglet.waitForFunction(
        () => page.file !== null && page.file.attendue() && performance.now(), { polling: 'mutation' });
      durees.push(await attente.jsonValue());
      await onglet.close();
    }
  } finally {
    await chromium.fermer();
  }
  durees.sort((a, b) => a - b);
  const median = durees[Math.floor(durees.length / 2)];
  console.log(`  opening to the first question: median ${median.toFixed(1)} ms, ` +
    `from ${durees[0].toFixed(1)} to ${durees[durees.length - 1].toFixed(1)} ms (${durees.length} runs)`);
}

main();
