// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page as an app, where a web server serves it: a manifest, so that a phone can put it on
// its home screen and open it without the browser's bars, and a service worker
// (hors-ligne.js, beside the page) that keeps it for the times without network. Opened from
// disk, it does nothing. ICONES, the game's icon at 192 and 512 pixels, plain and for a
// phone that cuts it to its own shape, is written by the assembler.
'use strict';

function faireDeLaPageUneApplication() {
  if (location.protocol !== 'http:' && location.protocol !== 'https:') return;
  // A manifest in a data: address resolves nothing against the page: its addresses are whole.
  const adresse = new URL(location.pathname, location.origin).href;
  const portee = new URL('./', adresse).href;
  const manifeste = {
    id: adresse,
    name: 'Allumettes',
    short_name: 'Allumettes',
    description: 'Le jeu des allumettes contre la Machine.',
    lang: 'fr',
    dir: 'ltr',
    start_url: adresse,
    scope: portee,
    display: 'standalone',
    theme_color: '#1e1e1e',
    background_color: '#1e1e1e',
    icons: ICONES.map(({ taille, but, png }) => ({ src: `data:image/png;base64,${png}`,
      sizes: `${taille}x${taille}`, type: 'image/png', purpose: but })),
  };
  const lien = document.createElement('link');
  lien.rel = 'manifest';
  lien.href = `data:application/manifest+json,${encodeURIComponent(JSON.stringify(manifeste))}`;
  document.head.appendChild(lien);
  if (!('serviceWorker' in navigator)) return;
  // What the worker reports goes to the page's error list, as a refused registration does.
  navigator.serviceWorker.addEventListener('message', ({ data }) => data && data.erreur && page.erreurs.push(data.erreur));
  navigator.serviceWorker.register(new URL('hors-ligne.js', adresse).href, { scope: portee, updateViaCache: 'none' })
    .catch((erreur) => page.erreurs.push(`the service worker: ${erreur}`));
}

faireDeLaPageUneApplication();
