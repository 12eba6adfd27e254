// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page as a guest on a real web server: nginx, started with a configuration of its own in
// a temporary folder, on a free loopback port, serves a copy of the build's site/ under
// /jeu/ (gzip_static on, every answer with Cache-Control: max-age=3600) beside another app,
// /autre/, with its own service worker and cache. Checked: nginx sends the page's .gz twin
// itself; with a 404 tab of the same folder open, the game's worker installs and controls the
// page (in Chromium also, the page is installable); the other app's cache stays whole; the
// game keeps one copy of its page whatever the query string; a server answering 500, then a
// server gone, still give the kept page, on which a whole game is played; a new page put on
// the server (with its worker) is the one shown at the second visit after it; the retiring
// worker removes the game's caches and itself, and no other's.
'use strict';
const { spawn } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const net = require('net');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const AUTRE = {
  'index.html': `<!DOCTYPE html><title>Autre</title><script>navigator.serviceWorker.register('sw.js')</script>`,
  'sw.js': `self.addEventListener('install', (e) => e.waitUntil(caches.open('autre-v1').then((c) => c.add('index.html'))));`,
};

const portLibre = () => new Promise((fait) => {
  const s = net.createServer().listen(0, '127.0.0.1', () => { const { port } = s.address(); s.close(() => fait(port)); });
});

// nginx in `dossier`: the switch files `coupe` (every connection dropped, as a network gone)
// and `erreur` (a 500 for the game) are read at each request.
async function nginx(dossier, site) {
  const port = await portLibre();
  fs.cpSync(site, path.join(dossier, 'site'), { recursive: true });
  fs.mkdirSync(path.join(dossier, 'autre'));
  for (const [nom, texte] of Object.entries(AUTRE)) fs.writeFileSync(path.join(dossier, 'autre', nom), texte);
  const d = dossier;
  fs.writeFileSync(path.join(d, 'nginx.conf'), `daemon off; user ${os.userInfo().username};
pid ${d}/nginx.pid; error_log ${d}/erreurs.log; events { worker_connections 64; }
http {
  access_log off; client_body_temp_path ${d}/t1; proxy_temp_path ${d}/t2; fastcgi_temp_path ${d}/t3;
  uwsgi_temp_path ${d}/t4; scgi_temp_path ${d}/t5;
  types { text/html html; text/javascript js; } default_type application/octet-stream;
  server {
    listen 127.0.0.1:${port};
    location /jeu/ {
      alias ${d}/site/; gzip_static on; add_header Cache-Control "max-age=3600";
      if (-f ${d}/coupe) { return 444; }
      if (-f ${d}/erreur) { return 500; }
    }
    location /autre/ { alias ${d}/autre/; }
  }
}
`);
  const processus = spawn('nginx', ['-p', d, '-e', `${d}/erreurs.log`, '-c', `${d}/nginx.conf`], { stdio: 'ignore' });
  const origine = `http://127.0.0.1:${port}`;
  for (let i = 0; i < 100 && !(await obtenir(`${origine}/autre/sw.js`).catch(() => null)); i++) {
    await new Promise((fait) => setTimeout(fait, 50));
  }
  const arreter = () => new Promise((fait) => (processus.exitCode !== null ? fait() : (processus.once('exit', fait), processus.kill())));
  return { origine, arreter, interrupteur: (nom, mis) => (mis ? fs.writeFileSync(path.join(d, nom), '') : fs.rmSync(path.join(d, nom), { force: true })) };
}

// One GET: its headers and its body's bytes as sent.
const obtenir = (adresse, entetes = {}) => new Promise((fait, rate) => {
  http.get(adresse, { headers: entetes }, (reponse) => {
    const morceaux = [];
    reponse.on('data', (m) => morceaux.push(m)).on('end', () => fait({ entetes: reponse.headers, corps: Buffer.concat(morceaux) }));
  }).on('error', rate);
});

// The caches the page sees: each name with the addresses it keeps.
const CACHES = `(async () => { const r = {}; for (const n of await caches.keys())
  r[n] = (await (await caches.open(n)).keys()).map((q) => q.url); return JSON.stringify(r); })()`;

// `jouer(pilote)` plays a whole game in a tab, `quand(pilote, code, quoi)` polls the page.
async function horsLigne(n, echec, dossier, jouer, quand) {
  const travail = fs.mkdtempSync(path.join(os.tmpdir(), 'allumettes-nginx-'));
  fs.chmodSync(travail, 0o755);
  const serveur = await nginx(travail, path.join(dossier, 'site'));
  const site = path.join(travail, 'site');
  const adresse = `${serveur.origine}/jeu/allumettes.html`;
  const navigateur = n.onglet.browser();
  const onglets = [];
  const ouvrir = async (url) => { const o = await navigateur.newPage(); onglets.push(o); await o.goto(url); return o; };
  const onglet = await navigateur.newPage();
  onglets.push(onglet);
  const pilote = { moteur: n.moteur, onglet, evaluer: (code) => onglet.evaluate(code),
    taper: (texte) => onglet.keyboard.type(texte), appuyer: (touche) => onglet.keyboard.press(touche) };
  const caches = async () => JSON.parse(await onglet.evaluate(CACHES));
  const titre = () => onglet.evaluate('document.title');
  try {
    const gz = await obtenir(adresse, { 'Accept-Encoding': 'gzip' });
    if (gz.entetes['content-encoding'] !== 'gzip' || !gz.corps.equals(fs.readFileSync(`${site}/allumettes.html.gz`))) {
      echec('nginx does not send the page\'s .gz twin');
    }
    const autre = await ouvrir(`${serveur.origine}/autre/index.html`);
    await quand({ evaluer: (code) => autre.evaluate(code) }, `caches.has('autre-v1')`, 'the other app keeps its cache');
    await ouvrir(`${serveur.origine}/jeu/absent.html`);
    await onglet.goto(adresse);
    await quand(pilote, 'navigator.serviceWorker.controller !== null', 'the service worker controls the page');
    if (n.moteur === 'chromium') {
      const { installabilityErrors } = await (await onglet.createCDPSession()).send('Page.getInstallabilityErrors');
      for (const erreur of installabilityErrors) echec(`not installable: ${erreur.errorId} ${JSON.stringify(erreur.errorArguments)}`);
    }
    await onglet.goto(`${adresse}?rang=2`);
    const apres = await caches();
    const jeu = Object.keys(apres).filter((nom) => nom.startsWith('allumettes '));
    const attendu = [adresse, `${serveur.origine}/jeu/hors-ligne.js`].sort();
    if (jeu.length !== 1 || JSON.stringify(apres[jeu[0]].sort()) !== JSON.stringify(attendu) ||
      (apres['autre-v1'] || []).length !== 1) echec(`the caches once the game is installed: ${JSON.stringify(apres)}`);
    for (const [interrupteur, etat] of [['erreur', 'a 500'], ['coupe', 'no server']]) {
      serveur.interrupteur(interrupteur, true);
      await onglet.reload();
      if ((await titre()) !== 'Allumettes') echec(`with ${etat}, the kept page is not served: "${await titre()}"`);
    }
    await jouer(pilote);
    serveur.interrupteur('coupe', false);
    serveur.interrupteur('erreur', false);
    // A new page and its worker, as a new build puts them on the server.
    const ancienne = fs.readFileSync(`${site}/allumettes.html`);
    const nouvelle = Buffer.from(ancienne.toString().replace('<title>Allumettes</title>', '<title>Allumettes, la nouvelle page</title>'));
    const empreinte = (octets) => crypto.createHash('sha256').update(octets).digest('hex');
    fs.writeFileSync(`${site}/allumettes.html`, nouvelle);
    fs.writeFileSync(`${site}/allumettes.html.gz`, zlib.gzipSync(nouvelle));
    fs.writeFileSync(`${site}/hors-ligne.js`, fs.readFileSync(`${site}/hors-ligne.js`, 'utf8').replace(empreinte(ancienne), empreinte(nouvelle)));
    await onglet.reload();
    // The new worker active: its page kept, the old one's cache gone.
    await quand(pilote, `caches.keys().then((noms) => noms.filter((nom) => nom.startsWith('allumettes ')).join() ===
      '${jeu[0].replace(empreinte(ancienne), empreinte(nouvelle))}')`, 'the new page kept, the old one dropped');
    await onglet.reload();
    if ((await titre()) !== 'Allumettes, la nouvelle page') echec(`the second visit after an update shows "${await titre()}"`);
    const fin = await caches();
    if (!fin['autre-v1'] || fin['autre-v1'].length !== 1) echec(`the other app's cache after the game's update: ${JSON.stringify(fin)}`);
    for (const erreur of await onglet.evaluate('page.erreurs')) echec(`error in the served page: ${erreur}`);
    // Retired: the game's caches and worker gone at the next visit, the other app's kept.
    fs.copyFileSync(path.join(__dirname, '../../web/outils/hors-ligne-retrait.js'), `${site}/hors-ligne.js`);
    await onglet.reload();
    await quand(pilote, `caches.keys().then(async (noms) => noms.join() === 'autre-v1' &&
      !(await navigator.serviceWorker.getRegistration('${serveur.origine}/jeu/')))`, 'the game retired, the other app kept');
  } finally {
    for (const o of onglets) await o.close().catch(() => {});
    await serveur.arreter();
    fs.rmSync(travail, { recursive: true, force: true });
  }
}

module.exports = { horsLigne };
