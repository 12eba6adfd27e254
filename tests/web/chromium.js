// Headless Chromium from Debian's package, driven by puppeteer-core from the browser
// build's own npm folder, with a profile of its own that is removed on close.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

// The flags that keep Chromium from reaching for a network this machine does not have.
const DRAPEAUX = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--window-size=1280,800'];

async function lancerChromium(dossier) {
  const puppeteer = require(path.resolve(dossier, 'npm/node_modules/puppeteer-core'));
  const profil = fs.mkdtempSync(path.join(os.tmpdir(), 'allumettes-chromium-'));
  const navigateur = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profil,
    args: DRAPEAUX,
    defaultViewport: { width: 1280, height: 800 },
  });
  const fermer = async () => {
    await navigateur.close();
    fs.rmSync(profil, { recursive: true, force: true });
  };
  return { navigateur, fermer, adresse: 'file://' + path.resolve(dossier, 'allumettes.html') };
}

module.exports = { lancerChromium };
