// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Makes allumettes.html, one file that holds everything the page needs: the terminal and
// its styles, the game with its WebAssembly, the bridge and the page's script, each inline,
// with a Content-Security-Policy that lets these scripts run and the page fetch nothing.
// Also writes OUTPUT.gz beside it, for static hosts that serve a file compressed ahead, and
// hors-ligne.js, the service worker that keeps the page when a web server serves it, which
// carries the page's SHA-256 and keeps no other bytes.
// The manual, rendered by manuel.js, stands in the page as it is.
// Usage: node web/construction/assembler.js GAME_JS NODE_MODULES MANUAL_HTML OUTPUT EMSCRIPTEN_ROOT
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [jeu, modules, manuel, sortie, emscripten] = process.argv.slice(2);
const ici = path.join(__dirname, '..', 'page');
const racine = path.join(__dirname, '..', '..');
const lire = (fichier) => fs.readFileSync(fichier, 'utf8');
const xterm = path.join(modules, '@xterm/xterm');
const fit = path.join(modules, '@xterm/addon-fit');

// A source map is a file the page does not have.
const sansCarte = (code) => code.replace(/^\/\/# sourceMappingURL=.*$/gm, '');

// The game's script, as emscripten 3.1.6 writes it for -sSINGLE_FILE, holds its WebAssembly
// as a data: address, wasmBinaryFile. Its getBinaryPromise() fetches that address whenever
// `typeof fetch == "function"`, a request the page's policy refuses; without fetch, its
// getBinary() decodes the address itself (tryParseAsDataURI). So fetch is shadowed for that
// script alone. A later emscripten that words this otherwise shows at once in the browser
// test: the page then fails to start.
const jeuSansFetch = (code) =>
  `const creerLeJeu = (() => {\nconst fetch = undefined;\n${code}\nreturn creerLeJeu;\n})();`;

// Its WebAssembly, taken out of that address and carried gzipped, in base64: a third of the
// size. The page unpacks it (DecompressionStream) and hands it to the game as wasmBinary,
// which emscripten then takes in place of the address, left empty.
function wasmADepart(code) {
  const adresse = /(wasmBinaryFile="data:application\/octet-stream;base64,)([A-Za-z0-9+/=]+)"/;
  const [, debut, base64] = code.match(adresse) || [];
  if (!base64) throw new Error('no WebAssembly found in the game\'s script');
  const compresse = zlib.gzipSync(Buffer.from(base64, 'base64'), { level: 9 }).toString('base64');
  return `const WASM_COMPRESSE = '${compresse}';\n${jeuSansFetch(code.replace(adresse, `${debut}"`))}`;
}

// The packages' ES modules, a third smaller than their other builds, as plain scripts: each
// module's code in a function of its own, in strict mode as a module is, and its one export,
// `export{x as Name}` at its end, the global Name.
function moduleEnScript(code) {
  const exportation = /export\s*\{\s*([\w$]+)\s+as\s+([\w$]+)\s*\};?\s*$/;
  const [, interne, nom] = code.trim().match(exportation) || [];
  if (!nom || /\bimport\b\s*[({.]|^\s*import\s/m.test(code)) throw new Error('a module the assembler cannot read');
  return `const ${nom} = (function () {\n'use strict';\n${code.trim().replace(exportation, '')}\nreturn ${interne};\n})();`;
}

// The game's icon, for the page's manifest: at 192 and 512 pixels, plain and for a phone that
// cuts it to its own shape.
const icones = [192, 512].flatMap((taille) => [['any', ''], ['maskable', '-masquable']].map(([but, nom]) =>
  ({ taille, but, png: fs.readFileSync(path.join(racine, 'data/icones', `allumettes${nom}-${taille}.png`)).toString('base64') })));

const scripts = [
  moduleEnScript(sansCarte(lire(path.join(xterm, 'lib/xterm.mjs')))),
  moduleEnScript(sansCarte(lire(path.join(fit, 'lib/addon-fit.mjs')))),
  wasmADepart(lire(jeu)),
  lire(path.join(ici, 'pont.js')),
  lire(path.join(ici, 'discipline.js')),
  lire(path.join(ici, 'lecture.js')),
  lire(path.join(ici, 'page.js')),
  `const ICONES = ${JSON.stringify(icones)};\n${lire(path.join(ici, 'application.js'))}`,
];
for (const code of scripts) {
  if (/<\/script|<!--/i.test(code)) throw new Error('a script holds text that would end its tag');
}

const empreinte = (code) => `'sha256-${crypto.createHash('sha256').update(code).digest('base64')}'`;
const politique = [
  "default-src 'none'",
  `script-src ${scripts.map(empreinte).join(' ')} 'wasm-unsafe-eval'`,
  "style-src 'unsafe-inline'", // the terminal sets its own styles as it draws
  'img-src data:', // its icon in the browser's tab, inline
  'manifest-src data:', // the manifest the page makes itself, served by a web server
  "worker-src 'self'", // the service worker beside it
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');

const licence = (nom, dossier) => `${nom}\n\n${lire(path.join(dossier, 'LICENSE')).trim()}`;

// What the WebAssembly holds of emscripten: its runtime and allocator, its C library (musl),
// libc++, libc++abi and compiler-rt. Their notices as Debian states them, the paragraphs of
// its copyright file for these folders with the licences they name; elsewhere, the licence
// files that emscripten ships.
const bibliothequesCompilees = ['system/lib/libc/musl/', 'system/lib/libcxx/', 'system/lib/libcxxabi/',
  'system/lib/compiler-rt/'];
function avisDebian(fichier) {
  const paragraphes = lire(fichier).split(/\n\s*\n/);
  const champ = (p, nom) => (p.match(new RegExp(`^${nom}:[ \\t]*(.*(?:\\n[ \\t].*)*)`, 'm')) || [])[1];
  const retenus = paragraphes.filter((p) => {
    const fichiers = champ(p, 'Files');
    return fichiers !== undefined && fichiers.split(/\s+/).some((f) => f === '*' ||
      bibliothequesCompilees.some((dossier) => f.startsWith(dossier)));
  });
  // A licence's name, as its paragraph names it (Debian's file is not consistent in case).
  const nom = (p) => (champ(p, 'License') || '').split('\n')[0].trim().toLowerCase();
  const noms = new Set(retenus.flatMap((p) => nom(p).split(/\s+(?:or|and)\s+/)));
  const textes = paragraphes.filter((p) => champ(p, 'Files') === undefined && noms.has(nom(p)));
  return ['emscripten (Debian)', ...retenus, ...textes].join('\n\n');
}
function avisEmscripten() {
  const debian = '/usr/share/doc/emscripten/copyright';
  if (fs.existsSync(debian)) return avisDebian(debian);
  return ['LICENSE', ...bibliothequesCompilees.map((dossier) => path.join(dossier, 'LICENSE.TXT')),
    'system/lib/libc/musl/COPYRIGHT']
    .filter((f) => fs.existsSync(path.join(emscripten, f)))
    .map((f) => `emscripten: ${f}\n\n${lire(path.join(emscripten, f)).trim()}`).join('\n\n');
}
// They stand in an HTML comment, which two hyphens in a row would end.
const licences = [`allumettes\n\n${lire(path.join(racine, 'LICENSE')).trim()}`,
  licence('@xterm/xterm', xterm), licence('@xterm/addon-fit', fit), avisEmscripten()]
  .join('\n\n')
  .replace(/-(?=-)/g, '- ');

const morceaux = {
  csp: politique,
  licences,
  styles: lire(path.join(xterm, 'css/xterm.css')) + '\n' + lire(path.join(ici, 'page.css')),
  scripts: scripts.map((code) => `<script>${code}</script>`).join('\n'),
  manuel: lire(manuel),
  icone: fs.readFileSync(path.join(racine, 'data/icones/allumettes-32.png')).toString('base64'),
};
const html = lire(path.join(ici, 'page.html')).replace(/\{\{(\w+)\}\}/g, (_, nom) => morceaux[nom]);
fs.writeFileSync(sortie, html);
const hachage = crypto.createHash('sha256').update(html).digest('hex');
fs.writeFileSync(path.join(path.dirname(sortie), 'hors-ligne.js'),
  lire(path.join(ici, 'hors-ligne.js')).replace('{{empreinte}}', hachage));
// Node's gzip header holds no date or name: the same page gives the same bytes.
fs.writeFileSync(`${sortie}.gz`, zlib.gzipSync(html, { level: 9 }));
