// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page in real browsers (tests/web/moteurs.js), each played the same way: opened from
// disk, it makes no network request and takes the focus; a classic game in help mode typed
// at the keyboard (one move on the touch keys) shows on the terminal what the native game
// prints for the same answers, with the terminal's echo of them; Ctrl-D ends the input, and a
// stray Enter starts a new run below the old one, which stays readable; at a setup of
// 10,000,000 matches, Ctrl-C stops the drawing within a second; with the screen-reader switch
// on, a game played on the touch keys has each next question announced; an accessibility
// audit finds nothing at the first question, with the switch on, and after a run's end; Tab
// leaves the terminal for the page's keys, typing nothing; the manual opened in the middle of
// an answer is a modal dialog, and closed with Escape gives the game back its answer.
// In Chromium also the page printed, and a phone held upright and turned, played with touch
// taps only, and its own keyboard. In Chromium and Firefox, the page served over HTTP and
// kept for the times without network (tests/web/serveur.js). Leaves a screenshot of each browser, allumettes-ENGINE.png, in BUILD_DIR.
// Usage: node tests/web/navigateur.js BUILD_DIR NATIVE_GAME [ENGINE...]
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { lancer, manque, paquetDeTest } = require('./moteurs.js');
const { telephone } = require('./telephone.js');
const { horsLigne } = require('./serveur.js');

const [dossier, natif, ...demandes] = process.argv.slice(2);
const MOTEURS = demandes.length > 0 ? demandes : ['chromium', 'firefox', 'webkit'];
let echecs = [];
const echec = (texte) => echecs.push(texte);

// The classic game in help mode, the player first, taking 1 each time; the machine wins.
// "" is Enter alone; the third move is typed with the touch keys.
const COUPS = ['1', '', '', ''];
const REPONSES = ['2', '1', '1', '1', ...COUPS, ...COUPS, ...COUPS, ...COUPS];
const COUP_AUX_BOUTONS = 12;
const REPONSE_AVEC_LE_MANUEL = 4;

const attendre = (ms) => new Promise((fait) => setTimeout(fait, ms));

// Polls `code` in the page until it gives a true value (10 s at most); returns that value.
async function quand(n, code, quoi) {
  for (let essai = 0; essai < 200; essai++) {
    const valeur = await n.evaluer(code);
    if (valeur) return valeur;
    await attendre(50);
  }
  throw new Error(`never: ${quoi}`);
}

// The game waits for a line nobody has typed yet, and the terminal shows all it was given.
async function attendreLaQuestion(n) {
  await quand(n, 'page.file !== null && page.file.attendue()', 'the game waits for an answer');
  await n.evaluer("new Promise((fait) => page.terminal.write('', fait))");
}

// Every row of the terminal, scrollback included, with the empty rows at the end left out.
function lignesDuTerminal(terminal) {
  const tampon = terminal.buffer.active;
  const lignes = [];
  for (let i = 0; i < tampon.length; i++) lignes.push(tampon.getLine(i).translateToString(true));
  while (lignes.length > 0 && lignes[lignes.length - 1] === '') lignes.pop();
  return lignes;
}
const lignesVues = (n) => n.evaluer(`(${lignesDuTerminal})(page.terminal)`);

// The rows the native game's bytes give on a second terminal of the page's size.
function lignesAttendues(n, octets) {
  return n.evaluer(`(async (base64) => {
    const temoin = new Terminal({ cols: page.terminal.cols, rows: page.terminal.rows,
      scrollback: 5000, convertEol: true });
    const boite = document.createElement('div');
    document.body.appendChild(boite);
    temoin.open(boite);
    const brut = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    await new Promise((fait) => temoin.write(brut, fait));
    const lignes = (${lignesDuTerminal})(temoin);
    temoin.dispose();
    boite.remove();
    return lignes;
  })(${JSON.stringify(Buffer.from(octets).toString('base64'))})`);
}

// Opens the manual with an answer half typed: a modal dialog, the game behind it inert, with
// the focus. Closed with Escape, the focus is back in the terminal, and the answer waits
// there for its Enter.
async function ouvrirLeManuel(n) {
  await n.cliquer('#aide');
  const ouvert = await n.evaluer("document.getElementById('manuel').matches(':modal') && document.activeElement.id");
  if (ouvert !== 'manuel') echec(`the manual did not open as a modal dialog with the focus in it: ${ouvert}`);
  await n.appuyer('Escape');
  const ferme = await n.evaluer("!document.getElementById('manuel').open && document.activeElement.className");
  if (!String(ferme).includes('xterm-helper-textarea')) echec(`Escape did not close the manual and give the terminal the focus: ${ferme}`);
}

async function taper(n, reponse, auxBoutons) {
  if (auxBoutons) {
    for (const chiffre of reponse) await n.cliquer(`#touches button[data-touche="${chiffre}"]`);
    await n.cliquer('#touches button[data-touche="entree"]');
  } else {
    if (reponse) await n.taper(reponse);
    await n.appuyer('Enter');
  }
}

const texteDeFin = (n) => n.evaluer(`document.getElementById('fin').hidden ? null :
  document.getElementById('fin-texte').textContent + ' | ' + document.getElementById('fin-code').textContent`);

// Opened from disk: the first question, the focus in the terminal, the columns.
async function ouverture(n) {
  await n.ouvrir();
  await attendreLaQuestion(n);
  const focus = await n.evaluer('document.activeElement.className');
  if (!focus.includes('xterm-helper-textarea')) echec(`the focus is not in the terminal: "${focus}"`);
  const colonnes = await n.evaluer('page.terminal.cols');
  if (colonnes < 122) echec(`the terminal has ${colonnes} columns`);
  // F11 types nothing; Tab moves the focus to the first touch key and types nothing; the
  // terminal gets it back.
  const ecran = async () => JSON.stringify([await lignesVues(n), await n.evaluer('page.terminal.buffer.active.cursorX')]);
  const avant = await ecran();
  await n.appuyer('F11'); // the browser's full screen, which the terminal must not type
  if ((await ecran()) !== avant) echec('F11 typed into the terminal');
  await n.appuyer('Tab');
  const apres = await n.evaluer("document.activeElement.dataset.touche");
  if (apres !== '0') echec(`Tab from the terminal led the focus to "${apres}", not the key 0`);
  if ((await ecran()) !== avant) echec('Tab typed into the terminal');
  await n.evaluer('page.terminal.focus()');
}

// The whole game, each answer typed once the game waits for it, compared with the native
// game's bytes for the same answers, cut where it waited, with the echo of each answer between.
async function partieClassique(n) {
  let natifs;
  try {
    execFileSync(natif, { input: REPONSES.map((r) => r + '\n').join('') });
  } catch (fin) {
    natifs = fin.stdout; // the game always ends with status 1
  }
  const morceaux = [];
  let deja = 0;
  for (const [rang, reponse] of REPONSES.entries()) {
    await attendreLaQuestion(n);
    const ecrits = await n.evaluer('page.execution.ecrits');
    morceaux.push(natifs.subarray(deja, ecrits), Buffer.from(reponse + '\r\n'));
    deja = ecrits;
    if (rang === REPONSE_AVEC_LE_MANUEL) {
      await n.taper(reponse);
      await ouvrirLeManuel(n);
      await n.appuyer('Enter');
    } else {
      await taper(n, reponse, rang === COUP_AUX_BOUTONS);
    }
  }
  await attendreLaQuestion(n);
  await n.ctrl('d');
  await quand(n, "!document.getElementById('fin').hidden", 'the end message after Ctrl-D');
  morceaux.push(natifs.subarray(deja));
  const attendues = await lignesAttendues(n, Buffer.concat(morceaux));
  const vues = await lignesVues(n);
  const premiere = attendues.findIndex((ligne, i) => ligne !== vues[i]);
  if (premiere >= 0 || vues.length !== attendues.length) {
    const i = premiere >= 0 ? premiere : Math.min(vues.length, attendues.length);
    echec(`the terminal differs from the native game at row ${i}:\n  seen:     ${JSON.stringify(vues[i])}\n  expected: ${JSON.stringify(attendues[i])}`);
  }
  if (!vues.some((ligne) => ligne.includes('4 = 3 + 1'))) echec('no help display on the terminal');
  const fin = await texteDeFin(n);
  if (fin !== 'La partie est finie. | code de retour 1') echec(`end of the run: "${fin}"`);
  return vues;
}

// The same game, typed, to its end: the replay questions declined.
async function partieEntiere(n) {
  for (const reponse of [...REPONSES, '0', '0']) {
    await attendreLaQuestion(n);
    await taper(n, reponse, false);
  }
  await quand(n, "!document.getElementById('fin').hidden", 'the end message of a whole game');
}

// After the end the focus is on "Recommencer": a stray Enter starts a new run below the old
// one, whose rows stay as they were, even when its output was cut short in the middle of a
// line and of an escape sequence (as by an error): the new run starts on a row of its own.
async function entreeEgaree(n) {
  await n.evaluer("new Promise((fait) => page.terminal.write('\\r\\ncoupé\\x1b[3', fait))");
  const avant = await lignesVues(n);
  await n.appuyer('Enter');
  await attendreLaQuestion(n);
  const vues = await lignesVues(n);
  const gardees = avant.findIndex((ligne, i) => ligne !== vues[i]);
  if (gardees >= 0) echec(`the new run changed row ${gardees} of the old one: ${JSON.stringify(vues[gardees])}`);
  const apresLaCoupure = await n.evaluer(`page.terminal.buffer.active.getLine(${avant.length - 1}).getCell(5).getChars()`);
  if (apresLaCoupure !== '') echec(`the new run starts on the last row of the old one, with "${apresLaCoupure}"`);
  if (!vues.slice(avant.length).some((ligne) => ligne.includes('JEUX de TROZ'))) echec(`the new run does not start below the old one: ${avant.length} rows before, ${JSON.stringify(vues.slice(avant.length - 2, avant.length + 4))}`);
  if (await texteDeFin(n)) echec('the end-of-run message stays on the new run');
}

// Ctrl-C while a very large heap is drawn, 42.5 MB of it: the drawing stops where it is,
// with the page never more than 256 KiB behind the game, far short of its end.
async function grandTasInterrompu(n) {
  for (const reponse of ['1', '2', '10000000', '1', '3']) await taper(n, reponse, false);
  await quand(n, '(window.interrompue = page.execution) && page.execution.ecrits > 4 * 1024 * 1024', 'megabytes of matches drawn');
  const avant = Date.now();
  await n.ctrl('c');
  await quand(n, "!document.getElementById('fin').hidden", 'the end message after Ctrl-C');
  await n.evaluer("new Promise((fait) => page.terminal.write('', fait))");
  const ecrits = await n.evaluer('window.interrompue.ecrits');
  console.log(`${n.moteur}: Ctrl-C: drawing stopped after ${ecrits} bytes, the page answering after ${Date.now() - avant} ms`);
  if (ecrits > 20 * 1024 * 1024) echec(`after Ctrl-C the game went on drawing: ${ecrits} bytes written; expected far fewer than the 42.5 MB of the whole heap`);
  const fin = await texteDeFin(n);
  if (fin !== 'Partie interrompue (Ctrl-C). | ') echec(`after Ctrl-C: "${fin}"`);
}

// The question (the last row written, up to the cursor), and the page's transcript for the
// screen reader: how many paragraphs, and the last one, with runs of blanks made one space.
const ANNONCE = `(() => {
  const tampon = page.terminal.buffer.active;
  const blancs = (texte) => texte.replace(/\\s+/g, ' ').trim();
  let rang = tampon.baseY + tampon.cursorY;
  while (rang > 0 && !blancs(tampon.getLine(rang).translateToString(true))) rang--;
  const question = blancs(tampon.getLine(rang).translateToString(true));
  const journal = document.getElementById('journal');
  return { question, paragraphes: journal.childElementCount, annonce: blancs(journal.lastElementChild ? journal.lastElementChild.textContent : '') };
})()`;

// Polls the transcript until it holds `paragraphes` paragraphs, the last ending with the
// question (3 s at most); reports both sides otherwise.
async function entendre(n, paragraphes, quand) {
  let vu;
  for (let essai = 0; essai < 60; essai++) {
    vu = await n.evaluer(ANNONCE);
    if (vu.paragraphes === paragraphes && vu.annonce.endsWith(vu.question)) return true;
    await attendre(50);
  }
  echec(`${quand}, the transcript for the screen reader has ${vu.paragraphes} paragraphs, expected ${paragraphes}, the last ending "${vu.annonce.slice(-200)}", expected the question "${vu.question}"`);
  return false;
}

// With the switch off, nothing goes to the screen reader; switched on, it is told the question
// the game waits for; then, in a game of 998 matches in "whole game" mode played on the touch
// keys only, one paragraph after each answer, ending with the next question, the heap said
// by its count and one line of rows; switched off, nothing more.
async function lecteurDEcran(n) {
  await n.cliquer('#recommencer');
  await attendreLaQuestion(n);
  if ((await n.evaluer(ANNONCE)).paragraphes !== 0) echec('with the switch off, the screen reader is told the game');
  await n.cliquer('#lecteur');
  if (!(await entendre(n, 1, 'switched on'))) return;
  await audit(n, 'with the screen reader switch on');
  // A custom heap of 998 matches, whose drawing is said by its count and one line of rows.
  const reponses = ['1', '2', '998', '1', '3', '1', '1', '3', '', '', '', '0'];
  for (const [rang, reponse] of reponses.entries()) {
    await taper(n, reponse, true);
    await attendreLaQuestion(n);
    if (!(await entendre(n, rang + 2, `after "${reponse}" on the touch keys`))) return;
    const dit = await n.evaluer(`document.getElementById('journal').lastElementChild.textContent`);
    if (rang === 4 && (dit.split('998 allumettes').length !== 2 || dit.split('20 barres').length !== 2)) {
      echec(`the heap of 998 is not said by its count and one line of rows: "${dit.slice(0, 300)}"`);
    }
  }
  await n.cliquer('#lecteur');
  await taper(n, '1', true);
  await attendreLaQuestion(n);
  if ((await n.evaluer(ANNONCE)).paragraphes !== 0) echec('switched off, the screen reader is still told the game');
}

// axe-core's audit of the whole page, pinned in the lock file, run inside it. What it could not
// decide counts too (an aria-label on an element whose role forbids one is such a case), but
// for colour contrast, which it cannot read on a lone symbol such as the erase key's.
async function audit(n, moment) {
  const axe = fs.readFileSync(paquetDeTest(dossier, 'axe-core/axe.min.js'), 'utf8');
  const constats = await n.evaluer(`(() => { ${axe}
    return axe.run(document, { rules: { 'label-content-name-mismatch': { enabled: true } } }).then((r) =>
      [...r.violations, ...r.incomplete.filter((v) => v.id !== 'color-contrast')].map((v) =>
        v.id + ': ' + v.nodes.map((noeud) => noeud.target.join(' ')).join(', ')));
  })()`);
  for (const constat of constats) echec(`accessibility ${moment}: ${constat}`);
}

// Printed, the page is its manual alone, whether the manual is open or not.
async function impression(n) {
  await n.onglet.emulateMediaType('print');
  const vus = await n.evaluer("['terminal', 'commandes', 'manuel'].map((id) => getComputedStyle(document.getElementById(id)).display !== 'none')");
  await n.onglet.emulateMediaType(null);
  if (vus.join() !== 'false,false,true') echec(`printed, the page shows the terminal, the keys, the manual: ${vus}`);
}

// The engine under way, stopped wherever the test ends.
let enCours = null;

async function jouerDans(moteur) {
  let n;
  try {
    n = enCours = await lancer(moteur, dossier);
    console.log(`${moteur}: ${n.version}`);
    await ouverture(n);
    await audit(n, 'at the first question');
    const vues = await partieClassique(n);
    await audit(n, 'after the end');
    await n.capture(path.join(dossier, `allumettes-${moteur}.png`));
    await entreeEgaree(n);
    await grandTasInterrompu(n);
    await lecteurDEcran(n);
    if (moteur === 'chromium') {
      await impression(n);
      // The same game on a phone, played to its end: the replay questions declined.
      await telephone(n, echec, { reponses: [...REPONSES, '0', '0'], auClavier: COUP_AUX_BOUTONS }, attendreLaQuestion);
    }
    if (moteur !== 'webkit') await horsLigne(n, echec, dossier, partieEntiere, quand);
    const ressources = await n.evaluer("performance.getEntriesByType('resource').map((r) => r.name)");
    const requetes = [...n.requetes(), ...ressources];
    if (requetes.length > 0) echec(`network requests: ${requetes.join(', ')}`);
    for (const erreur of [...n.erreurs(), ...(await n.evaluer('page.erreurs'))]) echec(`error in the page: ${erreur}`);
  } catch (erreur) {
    echec(erreur.stack || erreur);
  } finally {
    enCours = null;
    if (n) await n.fermer();
  }
}

// Exits 1 if a browser failed, 77 (skipped) if none did but one was missing, else 0.
async function main() {
  let passes = 0;
  let rates = 0;
  let sautes = 0;
  for (const moteur of MOTEURS) {
    const absent = manque(moteur);
    if (absent) {
      console.log(`SKIPPED: ${moteur}: ${absent}`);
      sautes++;
      continue;
    }
    echecs = [];
    await jouerDans(moteur);
    // A fault seen at every question is told once, with its first place.
    const deja = new Set();
    for (const texte of echecs) {
      const faute = String(texte).replace(/^.*?: /, '');
      if (!deja.has(faute)) console.log(`FAIL: ${moteur}: ${texte}`);
      deja.add(faute);
    }
    if (echecs.length === 0) passes++;
    else rates++;
  }
  console.log(`browsers: ${passes} passed, ${rates} failed, ${sautes} skipped`);
  process.exitCode = rates > 0 ? 1 : sautes > 0 ? 77 : 0;
}

// Killed by its time limit, or ended by a promise that nobody awaited: one FAIL line, and the
// engine under way stopped with all it started.
async function arreter(cause) {
  console.log(`FAIL: ${cause}`);
  if (enCours) await enCours.fermer().catch(() => {});
  process.exit(1);
}
process.on('SIGTERM', () => arreter('the browser test was stopped by its time limit'));
process.on('unhandledRejection', (raison) => arreter(`an error nobody awaited: ${raison && raison.stack || raison}`));

main().catch((erreur) => arreter(erreur.stack || erreur));
