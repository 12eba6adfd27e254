// The page in a real browser, headless Chromium driven by puppeteer-core: opened from disk,
// it makes no network request and takes the focus; a classic game in help mode played at
// the keyboard (one move with the touch keys) shows on the terminal what the native game
// prints for the same answers, with the terminal's echo of them; Ctrl-D ends the input and
// the page offers to start again; at a setup of 10,000,000 matches, Ctrl-C stops the
// drawing within a second and the page still answers. Leaves allumettes.png in BUILD_DIR.
// Usage: node tests/web/navigateur.js BUILD_DIR NATIVE_GAME
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const { lancerChromium } = require('./chromium.js');

const [dossier, natif] = process.argv.slice(2);
const echecs = [];
const echec = (texte) => echecs.push(texte);

// The classic game in help mode, the player first, taking 1 each time; the machine wins.
// "" is Enter alone; the third move is typed with the touch keys.
const COUPS = ['1', '', '', ''];
const REPONSES = ['2', '1', '1', '1', ...COUPS, ...COUPS, ...COUPS, ...COUPS];
const COUP_AUX_BOUTONS = 12;

const attendre = (ms) => new Promise((fait) => setTimeout(fait, ms));

// Waits until the game waits for a line nobody has typed yet (10 s at most).
async function attendreLaQuestion(onglet) {
  for (let essai = 0; essai < 200; essai++) {
    if (await onglet.evaluate(() => page.file !== null && page.file.attendue())) return;
    await attendre(50);
  }
  throw new Error('the game never came to wait for an answer');
}

// Every row of the terminal, scrollback included, with the empty rows at the end left out.
function lignesDuTerminal(terminal) {
  const tampon = terminal.buffer.active;
  const lignes = [];
  for (let i = 0; i < tampon.length; i++) lignes.push(tampon.getLine(i).translateToString(true));
  while (lignes.length > 0 && lignes[lignes.length - 1] === '') lignes.pop();
  return lignes;
}

// The rows the native game's bytes give on a terminal of the page's size, with each typed
// line echoed where the game waited for it.
async function lignesAttendues(onglet, octets) {
  await onglet.evaluate(`window.lignesDuTerminal = ${lignesDuTerminal}`);
  return onglet.evaluate(async (base64) => {
    const temoin = new Terminal({ cols: page.terminal.cols, rows: page.terminal.rows,
      scrollback: 5000, convertEol: true });
    const boite = document.createElement('div');
    document.body.appendChild(boite);
    temoin.open(boite);
    const brut = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    await new Promise((fait) => temoin.write(brut, fait));
    const lignes = window.lignesDuTerminal(temoin);
    temoin.dispose();
    boite.remove();
    return lignes;
  }, Buffer.from(octets).toString('base64'));
}

async function taper(onglet, reponse, auxBoutons) {
  if (auxBoutons) {
    for (const chiffre of reponse) await onglet.click(`#touches button[data-touche="${chiffre}"]`);
    await onglet.click('#touches button[data-touche="entree"]');
  } else {
    if (reponse) await onglet.keyboard.type(reponse);
    await onglet.keyboard.press('Enter');
  }
}

async function ctrl(onglet, touche) {
  await onglet.keyboard.down('Control');
  await onglet.keyboard.press(touche);
  await onglet.keyboard.up('Control');
}

// The whole game, each answer typed once the game waits for it; the native game's bytes
// for the same answers, cut where it waited, with the terminal's echo of each answer between.
async function partieClassique(onglet) {
  let natifs;
  try {
    execFileSync(natif, { input: REPONSES.map((r) => r + '\n').join('') });
  } catch (fin) {
    natifs = fin.stdout; // the game always ends with status 1
  }
  const morceaux = [];
  let deja = 0;
  for (const [rang, reponse] of REPONSES.entries()) {
    await attendreLaQuestion(onglet);
    const ecrits = await onglet.evaluate(() => page.partie.ecrits);
    morceaux.push(natifs.subarray(deja, ecrits), Buffer.from(reponse + '\r\n'));
    deja = ecrits;
    await taper(onglet, reponse, rang === COUP_AUX_BOUTONS);
  }
  await attendreLaQuestion(onglet);
  await ctrl(onglet, 'd');
  await onglet.waitForSelector('#fin:not([hidden])', { timeout: 5000 });
  morceaux.push(natifs.subarray(deja));
  const attendues = await lignesAttendues(onglet, Buffer.concat(morceaux));
  const vues = await onglet.evaluate(`(${lignesDuTerminal})(page.terminal)`);
  const premiere = attendues.findIndex((ligne, i) => ligne !== vues[i]);
  if (premiere >= 0 || vues.length !== attendues.length) {
    const i = premiere >= 0 ? premiere : Math.min(vues.length, attendues.length);
    echec(`the terminal differs from the native game at row ${i}:\n  seen:     ${JSON.stringify(vues[i])}\n  expected: ${JSON.stringify(attendues[i])}`);
  }
  if (!vues.some((ligne) => ligne.includes('4 = 3 + 1'))) echec('no help display on the terminal');
  const fin = await onglet.$eval('#fin-texte', (p) => p.textContent);
  if (fin !== 'Le jeu est terminé (code de retour 1).') echec(`end of the run: "${fin}"`);
  await onglet.screenshot({ path: path.join(dossier, 'allumettes.png') });
}

// A new run from the end-of-run button, then Ctrl-C while a very large heap is drawn.
async function grandTasInterrompu(onglet) {
  await onglet.click('#recommencer');
  await attendreLaQuestion(onglet);
  const titre = await onglet.evaluate(`(${lignesDuTerminal})(page.terminal)`);
  if (titre.some((ligne) => ligne.includes('allumettes :'))) echec('the new run does not start on a clean terminal');
  if (!(await onglet.$eval('#fin', (fin) => fin.hidden))) echec('the end-of-run message stays on the new run');
  for (const reponse of ['1', '2', '10000000', '1', '3']) await taper(onglet, reponse, false);
  await onglet.waitForFunction(() => page.partie && page.partie.ecrits > 4 * 1024 * 1024, { timeout: 20000 });
  const avant = Date.now();
  await ctrl(onglet, 'c');
  await onglet.waitForSelector('#fin:not([hidden])', { timeout: 5000 });
  await onglet.evaluate(() => new Promise((fait) => page.terminal.write('', fait)));
  const delai = Date.now() - avant;
  console.log(`Ctrl-C: drawing stopped and the page answering after ${delai} ms`);
  if (delai > 1000) echec(`Ctrl-C stopped the drawing and the page answered after ${delai} ms`);
  const fin = await onglet.$eval('#fin-texte', (p) => p.textContent);
  if (fin !== 'Le jeu a été interrompu par Ctrl-C.') echec(`after Ctrl-C: "${fin}"`);
}

async function main() {
  const { navigateur, fermer, adresse } = await lancerChromium(dossier);
  try {
    const onglet = await navigateur.newPage();
    const requetes = [];
    onglet.on('request', (requete) => requete.url() !== adresse && requetes.push(requete.url()));
    onglet.on('pageerror', (erreur) => echec(`error in the page: ${erreur.message}`));
    onglet.on('console', (message) => message.type() === 'error' && echec(`console: ${message.text()}`));
    await onglet.goto(adresse);
    await attendreLaQuestion(onglet);
    const focus = await onglet.evaluate(() => document.activeElement.className);
    if (!focus.includes('xterm-helper-textarea')) echec(`the focus is not in the terminal: "${focus}"`);
    const colonnes = await onglet.evaluate(() => page.terminal.cols);
    if (colonnes < 122) echec(`the terminal has ${colonnes} columns`);
    await partieClassique(onglet);
    await grandTasInterrompu(onglet);
    if (requetes.length > 0) echec(`network requests: ${requetes.join(', ')}`);
  } catch (erreur) {
    echec(erreur.stack || erreur);
  } finally {
    await fermer();
  }
  for (const texte of echecs) console.log(`FAIL: ${texte}`);
  if (echecs.length === 0) console.log('browser test passed');
  process.exitCode = echecs.length === 0 ? 0 : 1;
}

main();
