// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page served by a web server on this machine, from the build's site/ folder, in a tab of
// its own: its service worker takes control; with the server cut (and, in Chromium, the
// network too), a reload plays a whole game; a new page put on the server replaces the kept
// one at the next visit with the network, and is the one kept after it. In Chromium also
// the page is installable as an app.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

// A static server of `dossier` on a free port of the loopback, chosen by the system and held
// while it runs. Cut, it drops every connection, as a network that is gone; `page` replaces
// allumettes.html.
function servir(dossier) {
  const etat = { coupe: false, page: null };
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8' };
  const serveur = http.createServer((requete, reponse) => {
    if (etat.coupe) return requete.socket.destroy();
    const nom = path.basename(new URL(requete.url, 'http://x').pathname);
    const fichier = path.join(dossier, nom);
    if (!types[path.extname(nom)] || !fs.existsSync(fichier)) return reponse.writeHead(404).end();
    const corps = nom === 'allumettes.html' && etat.page ? etat.page : fs.readFileSync(fichier);
    reponse.writeHead(200, { 'Content-Type': types[path.extname(nom)], 'Cache-Control': 'no-cache' }).end(corps);
  });
  return new Promise((fait) => serveur.listen(0, '127.0.0.1', () => {
    etat.adresse = `http://127.0.0.1:${serveur.address().port}/allumettes.html`;
    etat.fermer = () => new Promise((ferme) => { serveur.closeAllConnections(); serveur.close(ferme); });
    fait(etat);
  }));
}

// `jouer(pilote)` plays a whole game in a tab, `quand(pilote, code, quoi)` polls the page.
async function horsLigne(n, echec, dossier, jouer, quand) {
  const site = path.join(dossier, 'site');
  const serveur = await servir(site);
  const onglet = await n.onglet.browser().newPage();
  const pilote = { moteur: n.moteur, onglet, evaluer: (code) => onglet.evaluate(code),
    taper: (texte) => onglet.keyboard.type(texte), appuyer: (touche) => onglet.keyboard.press(touche) };
  const couper = async (coupe) => {
    serveur.coupe = coupe;
    if (n.moteur === 'chromium') await onglet.setOfflineMode(coupe);
  };
  const titre = () => onglet.evaluate('document.title');
  try {
    await onglet.goto(serveur.adresse);
    await quand(pilote, 'navigator.serviceWorker.controller !== null', 'the service worker controls the page');
    if (n.moteur === 'chromium') {
      const { installabilityErrors } = await (await onglet.createCDPSession()).send('Page.getInstallabilityErrors');
      for (const erreur of installabilityErrors) echec(`not installable: ${erreur.errorId} ${JSON.stringify(erreur.errorArguments)}`);
    }
    await couper(true);
    await onglet.reload();
    await jouer(pilote);
    await couper(false);
    serveur.page = fs.readFileSync(path.join(site, 'allumettes.html'), 'utf8')
      .replace('<title>Allumettes</title>', '<title>Allumettes, la nouvelle page</title>');
    await onglet.reload();
    if ((await titre()) !== 'Allumettes, la nouvelle page') echec(`with the network, the new page is not served: "${await titre()}"`);
    await couper(true);
    await onglet.reload();
    if ((await titre()) !== 'Allumettes, la nouvelle page') echec(`without the network, the old page is served: "${await titre()}"`);
    for (const erreur of await onglet.evaluate('page.erreurs')) echec(`error in the served page: ${erreur}`);
  } finally {
    await onglet.close();
    await serveur.fermer();
  }
}

module.exports = { horsLigne };
