// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The browser page: its size, the game's script within it, and the time from opening it
// from disk in headless Chromium to the game's first question drawn on the terminal, against
// a floor: the same page without the game, whose stand-in writes the game's first screen
// (the native game's bytes) through the same bridge and waits. The two alternate in one run;
// each time is the page's own clock at the first frame drawn after the question was written.
// Then the page served over HTTP and kept by its worker: a later visit on a poor link against
// one offline, alternated likewise; and a heap of 10,000,000 matches drawn in the page against
// xterm.js alone writing the same bytes.
// Usage: node bench/page.js BUILD_WEB_DIR NATIVE_GAME [RUNS]
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
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
  if (plancher.includes('wasmBinaryFile')) throw new Error('the game stayed in the floor page');
  const fichier = path.resolve(dossier, 'plancher.html');
  fs.writeFileSync(fichier, plancher);
  return 'file://' + fichier;
}

// Opens `adresse` in a new tab; the time, from the start of the navigation, of the first
// frame drawn once the game waits at its first question.
async function ouvrir(navigateur, adresse, preparer = async () => {}) {
  const onglet = await navigateur.newPage();
  await preparer(onglet);
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

// The page served over HTTP from site/ by a server that sends no validator, once installed:
// a later visit on a poor link (400 kbit/s each way, 400 ms) and one offline, alternated.
async function visites(navigateur, dossier, essais) {
  const serveur = http.createServer((requete, reponse) => {
    const fichier = path.join(dossier, 'site', path.basename(new URL(requete.url, 'http://x').pathname));
    if (!fs.existsSync(fichier)) return reponse.writeHead(404).end();
    const type = fichier.endsWith('.js') ? 'text/javascript' : 'text/html; charset=utf-8';
    reponse.writeHead(200, { 'Content-Type': type }).end(fs.readFileSync(fichier));
  });
  await new Promise((fait) => serveur.listen(0, '127.0.0.1', fait));
  const adresse = `http://127.0.0.1:${serveur.address().port}/allumettes.html`;
  const premiere = await navigateur.newPage();
  await premiere.goto(adresse);
  await premiere.waitForFunction('navigator.serviceWorker.controller !== null');
  await premiere.close();
  const lien = { download: 50000, upload: 50000, latency: 400 };
  const conditions = { lent: (o) => o.emulateNetworkConditions(lien), horsLigne: (o) => o.setOfflineMode(true) };
  const temps = { lent: [], horsLigne: [] };
  try {
    for (let essai = 0; essai < essais; essai++) {
      for (const nom of ['lent', 'horsLigne']) temps[nom].push(await ouvrir(navigateur, adresse, conditions[nom]));
    }
  } finally {
    serveur.close();
  }
  return temps;
}

// A heap of 10,000,000 matches drawn in the page opened from disk, from the answer that
// asks for it to the next question drawn, against xterm.js alone writing the same bytes, as
// the page's terminal received them, into a terminal of the same size in the same page. A
// first drawing, whose bytes are kept, warms both up; the page then draws in a new run.
async function grandDessin(navigateur, adresse) {
  const onglet = await navigateur.newPage();
  await onglet.goto(adresse);
  const temps = await onglet.evaluate(async () => {
    const image = () => new Promise((fait) => requestAnimationFrame(fait));
    const dessine = async () => {
      while (!(page.file !== null && page.file.attendue())) await image();
      await new Promise((fait) => page.terminal.write('', fait));
      await image();
      return performance.now();
    };
    const dessiner = async (avant) => {
      await dessine();
      for (const reponse of ['1\n', '2\n', '10000000\n', '1\n']) page.file.envoyer(reponse);
      await dessine();
      avant();
      const debut = performance.now();
      page.file.envoyer('3\n');
      return (await dessine()) - debut;
    };
    const recus = [];
    const ecrire = page.terminal.write.bind(page.terminal);
    await dessiner(() => (page.terminal.write = (octets, rappel) => (recus.push(octets), ecrire(octets, rappel))));
    page.terminal.write = ecrire;
    const boite = document.createElement('div');
    boite.style.cssText = `width: ${page.terminal.element.clientWidth}px; height: ${page.terminal.element.clientHeight}px`;
    document.body.append(boite);
    const seul = new Terminal({ ...page.terminal.options, cols: page.terminal.cols, rows: page.terminal.rows });
    seul.open(boite);
    const depart = performance.now();
    recus.forEach((octets, rang) => (rang < recus.length - 1 ? seul.write(octets) : null));
    await new Promise((fait) => seul.write(recus[recus.length - 1], fait));
    await image();
    const tempsSeul = performance.now() - depart;
    seul.dispose();
    boite.remove();
    lancerUneExecution();
    return [await dessiner(() => {}), tempsSeul];
  });
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
  let servie;
  try {
    for (let essai = 0; essai < Number(essais); essai++) {
      for (const nom of ['page', 'plancher']) temps[nom].push(await ouvrir(navigateur, adresses[nom]));
    }
    servie = await visites(navigateur, dossier, Number(essais));
    for (let essai = 0; essai < Math.ceil(Number(essais) / 4); essai++) {
      const [page, seul] = await grandDessin(navigateur, adresses.page);
      temps.grand = [...(temps.grand || []), page];
      temps.seul = [...(temps.seul || []), seul];
    }
  } finally {
    await chromium.fermer();
  }
  const dire = (quoi, t) => console.log(`  ${quoi}: median ${mediane(t).toFixed(1)} ms, from ` +
    `${Math.min(...t).toFixed(1)} to ${Math.max(...t).toFixed(1)} ms (${t.length} runs)`);
  dire('the page, opened from disk to the first question drawn', temps.page);
  dire('the floor, the same', temps.plancher);
  console.log(`  ratio of the medians, page over floor: ${(mediane(temps.page) / mediane(temps.plancher)).toFixed(2)}`);
  dire('the page served and kept, a later visit on a poor link (400 kbit/s, 400 ms)', servie.lent);
  dire('the same visit offline', servie.horsLigne);
  console.log(`  ratio of the medians, poor link over offline: ${(mediane(servie.lent) / mediane(servie.horsLigne)).toFixed(2)}`);
  dire('a heap of 10,000,000 matches drawn in the page', temps.grand);
  dire('xterm.js alone writing the same bytes into a terminal of the same size', temps.seul);
  console.log(`  ratio of the medians, page over xterm.js alone: ${(mediane(temps.grand) / mediane(temps.seul)).toFixed(2)}`);
}

main();
