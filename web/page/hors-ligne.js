// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The service worker of the page served by a web server: it keeps the page beside it,
// allumettes.html, and itself, for the times without network, and touches nothing else of
// the server's. It keeps a page only if its bytes are those it was built with (their SHA-256,
// written in by the assembler): a new page on the server comes with a new worker, which the
// browser installs at a visit, keeping the new page; the visit after it shows that page. Its
// caches are named after its scope, so that other apps on the same server keep theirs.
'use strict';

const EMPREINTE = '{{empreinte}}';
const PREFIXE = `allumettes ${self.registration.scope} `;
const CACHE = PREFIXE + EMPREINTE;
const PAGE = new URL('allumettes.html', self.location).href;
const SANS_QUERY = (adresse) => adresse.split(/[?#]/)[0];

// Tells its pages what went wrong, for their error list; other apps' pages hear nothing.
async function signaler(texte) {
  for (const fenetre of await self.clients.matchAll({ type: 'window', includeUncontrolled: true })) {
    if (fenetre.url.startsWith(self.registration.scope)) fenetre.postMessage({ erreur: `the service worker: ${texte}` });
  }
}

// The page from the network, past the browser's HTTP cache.
const pageDuReseau = () => fetch(PAGE, { cache: 'no-cache' });

// The network's page, if it is whole and its bytes are the right ones.
async function verifier(reponse) {
  if (!reponse.ok) throw new Error(`the page answered ${reponse.status}`);
  const empreinte = await crypto.subtle.digest('SHA-256', await reponse.clone().arrayBuffer());
  const hex = [...new Uint8Array(empreinte)].map((octet) => octet.toString(16).padStart(2, '0')).join('');
  if (hex !== EMPREINTE) throw new Error('the page on the server is not the one this worker came with');
  return reponse;
}

// Installed once its page and itself are kept; else the worker before it goes on.
self.addEventListener('install', (evenement) => {
  evenement.waitUntil((async () => {
    try {
      const cache = await caches.open(CACHE);
      await cache.put(PAGE, await verifier(await pageDuReseau()));
      await cache.put(self.location.href, await fetch(self.location.href, { cache: 'no-cache' }));
    } catch (erreur) {
      await signaler(`not installed: ${erreur.message}`);
      throw erreur;
    }
    await self.skipWaiting();
  })());
});

// Its own older caches go, and no other's: those of its scope, and the one of release 1.4,
// named after the page alone, where it holds this worker.
async function aMoi(nom) {
  if (nom.startsWith(PREFIXE)) return nom !== CACHE;
  return /^allumettes-[0-9a-f]{16}$/.test(nom) && (await (await caches.open(nom)).match(self.location.href)) !== undefined;
}
self.addEventListener('activate', (evenement) => {
  evenement.waitUntil((async () => {
    for (const nom of await caches.keys()) if (await aMoi(nom)) await caches.delete(nom);
    await self.clients.claim();
  })());
});

// The kept page at once, whatever its query string; the network only while none is kept, a
// good page then kept again. Every other request goes its own way.
async function repondre() {
  const gardee = await caches.match(PAGE, { cacheName: CACHE });
  if (gardee) return gardee;
  const reponse = await pageDuReseau();
  verifier(reponse.clone()).then(async (bonne) => (await caches.open(CACHE)).put(PAGE, bonne))
    .catch((erreur) => signaler(`the page is not kept: ${erreur.message}`));
  return reponse;
}

self.addEventListener('fetch', (evenement) => {
  const requete = evenement.request;
  if (requete.method !== 'GET' || SANS_QUERY(requete.url) !== PAGE) return;
  evenement.respondWith(repondre());
});
