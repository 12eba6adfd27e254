// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Renders the manual page for the browser page: the same allumettes.6 with its page switch on
// (the register `page`, set by a first line, as mandoc takes no -r option), through mandoc
// as an HTML fragment. Its example screens are then put back exactly as the page's source
// writes them, which manual.sh checks against the game: mandoc 1.14 merges their blank
// lines; each can take the focus, to be scrolled sideways from the keyboard. Headings move
// two levels down, under the page's own and the panel's. Its reading of the example screens
// is the one manual.sh checks against the game (require: exemples).
// Usage: node web/construction/manuel.js PAGE OUTPUT
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');

// Each example screen: its lines, from .nf to .fi, unescaped, and the answers that make the
// game print them, from the comment above it (".\" exemple : ANSWERS", a printf format).
const ANNONCE = '.\\" exemple : ';
function exemples(roff) {
  const blocs = [];
  let bloc = null;
  let reponses = null;
  for (const ligne of roff.split('\n')) {
    if (ligne.startsWith(ANNONCE)) reponses = ligne.slice(ANNONCE.length);
    else if (ligne === '.nf') bloc = [];
    else if (ligne === '.fi') blocs.push({ reponses, texte: bloc.join('\n') }), (bloc = null), (reponses = null);
    else if (bloc) {
      const clair = ligne.replace(/\\&/g, '').replace(/\\-/g, '-');
      if (clair.includes('\\')) throw new Error(`an example line the renderer cannot read: ${ligne}`);
      bloc.push(clair);
    }
  }
  return blocs;
}

const html = (chaine) => chaine.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

function rendre(source, sortie) {
  const texte = fs.readFileSync(source, 'utf8');
  const rendu = execFileSync('mandoc', ['-Thtml', '-Ofragment', '-W', 'error,stop'],
    { input: `.nr page 1\n${texte}`, encoding: 'utf8' });
  const blocs = exemples(texte);
  let rang = 0;
  const fragment = rendu
    .replace(/<table class="(head|foot)">[\s\S]*?<\/table>\n?/g, '')
    .replace(/<p class="Pp">\s*<br\/>\s*<\/p>\n?/g, '')
    .replace(/<pre>[\s\S]*?<\/pre>(\n<br\/>)?/g, () => `<pre tabindex="0">${html(blocs[rang++].texte)}</pre>`)
    .replace(/<(\/?)h([12])\b/g, (_, fin, niveau) => `<${fin}h${Number(niveau) + 2}`)
    // A formula's minus between unbreakable spaces: browsers still break a line after a
    // hyphen there, never after a minus sign.
    .replace(/&#x00A0;-&#x00A0;/g, '&#x00A0;&#x2212;&#x00A0;');
  if (rang !== blocs.length) throw new Error(`${blocs.length} examples in the page, ${rang} rendered`);
  // Every link of the table of contents leads to a heading that is there.
  for (const [, cible] of fragment.matchAll(/href="#([^"]*)"/g)) {
    if (!fragment.includes(`id="${cible}"`)) throw new Error(`a link to no heading: #${cible}`);
  }
  fs.writeFileSync(sortie, fragment);
}

if (require.main === module) rendre(...process.argv.slice(2));
module.exports = { exemples };
