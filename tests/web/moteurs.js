// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The browsers of the browser test, each behind the same small driver, which only knows how
// to open the page, run a script in it, press keys, click and take a screenshot:
// Chromium and Firefox through puppeteer-core (Firefox over WebDriver BiDi), WebKit's
// MiniBrowser through the W3C WebDriver protocol of WebKitWebDriver, under Xvfb.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');

const PROGRAMMES = {
  chromium: { fichier: '/usr/bin/chromium', paquet: 'chromium' },
  firefox: { fichier: '/usr/bin/firefox-esr', paquet: 'firefox-esr' },
  webkit: { fichier: '/usr/bin/WebKitWebDriver', paquet: 'webkit2gtk-driver and xvfb' },
};
// MiniBrowser stands in the folder of the machine's architecture (x86_64-linux-gnu, aarch64-linux-gnu...).
const MINIBROWSER = fs.readdirSync('/usr/lib').map((dossier) => path.join('/usr/lib', dossier, 'webkit2gtk-4.1/MiniBrowser'))
  .find((fichier) => fs.existsSync(fichier)) || '/usr/lib/MULTIARCH/webkit2gtk-4.1/MiniBrowser';

// The flags that keep Chromium from reaching for a network this machine does not have.
const DRAPEAUX_CHROMIUM = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--window-size=1280,800'];

// What is missing to run `moteur`, or null.
function manque(moteur) {
  const { fichier, paquet } = PROGRAMMES[moteur];
  const absents = [fichier, ...(moteur === 'webkit' ? [MINIBROWSER, '/usr/bin/xvfb-run'] : [])]
    .filter((f) => !fs.existsSync(f));
  return absents.length > 0 ? `${absents.join(', ')} missing: install ${paquet}` : null;
}

// The test's own npm packages, which web.sh installs beside the build's.
const paquetDeTest = (dossier, nom) => path.resolve(dossier, 'npm-tests/node_modules', nom);
const adresseDeLaPage = (dossier) => 'file://' + path.resolve(dossier, 'allumettes.html');

// Chromium or Firefox, through puppeteer-core, with a profile of its own removed on close.
async function parPuppeteer(moteur, dossier) {
  const puppeteer = require(paquetDeTest(dossier, 'puppeteer-core'));
  const profil = fs.mkdtempSync(path.join(os.tmpdir(), `allumettes-${moteur}-`));
  const navigateur = await puppeteer.launch({
    browser: moteur === 'firefox' ? 'firefox' : 'chrome',
    executablePath: PROGRAMMES[moteur].fichier,
    headless: true,
    userDataDir: profil,
    args: moteur === 'chromium' ? DRAPEAUX_CHROMIUM : [],
    defaultViewport: { width: 1280, height: 800 },
  });
  const onglet = await navigateur.newPage();
  const adresse = adresseDeLaPage(dossier);
  const requetes = [];
  const erreurs = [];
  // A data: address is no request to the network (Firefox loads one of its own fonts so).
  onglet.on('request', (requete) => requete.url() !== adresse && !requete.url().startsWith('data:') &&
    requetes.push(requete.url()));
  onglet.on('pageerror', (erreur) => erreurs.push(erreur.message));
  onglet.on('console', (message) => message.type() === 'error' && erreurs.push(message.text()));
  return {
    moteur,
    onglet,
    version: await navigateur.version(),
    ouvrir: () => onglet.goto(adresse),
    evaluer: (code) => onglet.evaluate(code),
    taper: (texte) => onglet.keyboard.type(texte),
    appuyer: (touche) => onglet.keyboard.press(touche),
    ctrl: async (lettre) => {
      await onglet.keyboard.down('Control');
      await onglet.keyboard.press(lettre);
      await onglet.keyboard.up('Control');
    },
    cliquer: (selecteur) => onglet.click(selecteur),
    capture: (chemin) => onglet.screenshot({ path: chemin }),
    requetes: () => requetes,
    erreurs: () => erreurs,
    fermer: async () => {
      await navigateur.close();
      fs.rmSync(profil, { recursive: true, force: true });
    },
  };
}

function portLibre() {
  return new Promise((fait) => {
    const serveur = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = serveur.address();
      serveur.close(() => fait(port));
    });
  });
}

// WebKitWebDriver under Xvfb on a free port, answering; a port taken meanwhile by another
// program makes the driver exit, and another port is tried. Returns its address and how to
// stop it with all it started.
async function lancerLePilote() {
  for (let essai = 0; essai < 5; essai++) {
    const port = await portLibre();
    const pilote = spawn('xvfb-run', ['-a', PROGRAMMES.webkit.fichier, `--port=${port}`],
      { stdio: 'ignore', detached: true });
    let sorti = false;
    pilote.on('exit', () => (sorti = true));
    const arreter = () => !sorti && process.kill(-pilote.pid, 'SIGTERM');
    const base = `http://127.0.0.1:${port}`;
    const pret = () => fetch(`${base}/status`).then((r) => r.json()).then(({ value }) => value.ready, () => false);
    for (let attente = 0; attente < 200 && !sorti; attente++) {
      if (await pret()) return { base, arreter };
      await new Promise((fait) => setTimeout(fait, 50));
    }
    arreter();
    if (!sorti) throw new Error(`WebKitWebDriver did not answer on port ${port} within 10 s`);
  }
  throw new Error('WebKitWebDriver exited five times: no port it could listen on');
}

// WebKit's MiniBrowser, through WebKitWebDriver under Xvfb, spoken to with node's fetch.
async function parWebDriver(dossier) {
  const { base, arreter } = await lancerLePilote();
  async function demander(methode, chemin, corps) {
    const reponse = await fetch(base + chemin, { method: methode,
      headers: { 'Content-Type': 'application/json' }, body: corps && JSON.stringify(corps) });
    const { value } = await reponse.json();
    if (!reponse.ok) throw new Error(`WebDriver ${chemin}: ${value.error}: ${value.message}`);
    return value;
  }
  let sessionId;
  let capabilities;
  try {
    ({ sessionId, capabilities } = await demander('POST', '/session', { capabilities: { alwaysMatch: {
      'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } } } }));
  } catch (erreur) {
    arreter(); // no driver is left behind when no session could be had
    throw erreur;
  }
  const session = (chemin, corps, methode = 'POST') => demander(methode, `/session/${sessionId}${chemin}`, corps);
  await session('/timeouts', { script: 60000 });
  await session('/window/rect', { width: 1280, height: 800 });
  const touches = (liste) => session('/actions', { actions: [{ type: 'key', id: 'clavier', actions: liste }] });
  const presser = (valeurs) => touches(valeurs.flatMap((value) => [{ type: 'keyDown', value }, { type: 'keyUp', value }]));
  const CODES = { Enter: '\uE007', Backspace: '\uE003', Escape: '\uE00C', Tab: '\uE004', F11: '\uE03B' };
  return {
    moteur: 'webkit',
    version: `WebKitGTK ${capabilities.browserVersion}`,
    ouvrir: () => session('/url', { url: adresseDeLaPage(dossier) }),
    // The script's value comes back through the driver's callback, its promise awaited.
    evaluer: async (code) => {
      const resultat = await session('/execute/async', { args: [], script: `const rendre = arguments[0];
        Promise.resolve().then(() => (${code})).then((valeur) => rendre({ valeur }), (e) => rendre({ erreur: String(e) }));` });
      if ('erreur' in resultat) throw new Error(resultat.erreur);
      return resultat.valeur;
    },
    taper: (texte) => presser(Array.from(texte)),
    appuyer: (touche) => presser([CODES[touche]]),
    ctrl: (lettre) => touches([{ type: 'keyDown', value: '\uE009' }, { type: 'keyDown', value: lettre },
      { type: 'keyUp', value: lettre }, { type: 'keyUp', value: '\uE009' }]),
    cliquer: async (selecteur) => {
      const element = await session('/element', { using: 'css selector', value: selecteur });
      await session(`/element/${Object.values(element)[0]}/click`, {});
    },
    capture: async (chemin) => fs.writeFileSync(chemin, Buffer.from(await session('/screenshot', undefined, 'GET'), 'base64')),
    // Its console does not reach the driver: the page's own record of errors stands for it.
    requetes: () => [],
    erreurs: () => [],
    fermer: async () => {
      await session('', undefined, 'DELETE').catch(() => {});
      arreter();
    },
  };
}

const lancer = (moteur, dossier) => (moteur === 'webkit' ? parWebDriver(dossier) : parPuppeteer(moteur, dossier));

module.exports = { lancer, manque, paquetDeTest };
