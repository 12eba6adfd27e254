// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The browser page: its size, the game's script within it, and the time from opening it
// from disk in headless Chromium to the game's first question drawn on the terminal, against
// a floor: the same page without the game, whose stand-in writes the game's first screen
// (the native game's bytes) through the same bridge and waits. The two alternate in one run;
// each time is the page's own clock at the first frame drawn after the question was written.
// Usage: node bench/page.js BUILD_WEB_DIR NATIVE_GAME [RUNS]
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { lancer } = require('../tests/web/moteurs.js');

const taille = (fichier) => fs.statSync(fichier).size;

// The page with the game's script (the one that defines creerLeJeu) replaced by a stand-in
// that writes `ecran` and waits for an answer; without its policy, which holds the hashes
// of the real scripts.
function pageDuPlancher(dossier, ecran) {
  const html = fs.readFileSync(path.join(dossier, 'allumettes.html'), 'utf8');
  const remplacant = `const creerLeJeu = (module) => Promise.resolve({
    ccall: async () => {
      module.pont.ecrire(Uint8Array.from(atob('${ecran.toString('base64')}'), (c) => c.charCodeAt(0)));
      await module.pont.lire(4096);
    },
  });`;
  const plancher = html
    .replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, '')
    .replace(/<script>(?:const WASM_COMPRESSE = [^\n]*\n)?const creerLeJeu = [\s\S]*?<\/script>/, () => `<script>${remplacant}</script>`);
  if (plancher.includes('wasmBinary')) throw new Error('the game stayed in the floor page');
  const fichier = path.resolve(dossier, 'plancher.html');
  fs.writeFileSync(fichier, plancher);
  return 'file://' + fichier;
}

// Opens `adresse` in a new tab; the time, from the start of the navigation, of the first
// frame drawn once the game waits at its first question.
async function ouvrir(navigateur, adresse) {
  const onglet = await navigateur.newPage();
  await onglet.goto(adresse);
  const temps = await onglet.evaluate(() => new Promise((fait) => {
    const voir = () => {
      if (!(page.file !== null && page.file.attendue())) return requestAnimationFrame(voir);
      page.terminal.write('', () => requestAnimationFrame(() => fait(performance.now())));
    };
    voir();
  }));
  await onglet.close();
  return temps;
}

const mediane = (valeurs) => [...valeurs].sort((a, b) => a - b)[Math.floor(valeurs.length / 2)];

async function main() {
  const [dossier, natif, essais = '20'] = process.argv.slice(2);
  const gz = path.join(dossier, 'allumettes.html.gz');
  console.log(`  allumettes.html: ${taille(path.join(dossier, 'allumettes.html'))} bytes, ` +
    `allumettes.html.gz: ${taille(gz)} bytes, the game's script: ${taille(path.join(dossier, 'allumettes.js'))} bytes`);
  let ecran;
  try {
    execFileSync(natif, { input: '' });
  } catch (fin) {
    ecran = fin.stdout.subarray(0, fin.stdout.length - 1); // the game's first screen, without the line feed of its end
  }
  const adresses = { page: 'file://' + path.resolve(dossier, 'allumettes.html'), plancher: pageDuPlancher(dossier, ecran) };
  const chromium = await lancer('chromium', dossier);
  const navigateur = chromium.onglet.browser();
  const temps = { page: [], plancher: [] };
  try {
    for (let essai = 0; essai < Number(essais); essai++) {
      for (const nom of ['page', 'plancher']) temps[nom].push(await ouvrir(navigateur, adresses[nom]));
    }
  } finally {
    await chromium.fermer();
  }
  for (const nom of ['page', 'plancher']) {
    const t = [...temps[nom]].sort((a, b) => a - b);
    console.log(`  ${nom === 'page' ? 'the page' : 'the floor'}: opening to the first question drawn: median ` +
      `${mediane(t).toFixed(1)} ms, from ${t[0].toFixed(1)} to ${t[t.length - 1].toFixed(1)} ms (${t.length} runs)`);
  }
  console.log(`  ratio of the medians, page over floor: ${(mediane(temps.page) / mediane(temps.plancher)).toFixed(2)}`);
}

main();
