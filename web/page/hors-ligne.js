// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The service worker of the page served by a web server: it keeps the page, and itself, for
// the times without network. The page is asked of the network first, and kept as it comes,
// so that a new page put on the server replaces the kept one at the next visit with the
// network; without an answer in a few seconds (a weak network), or without network, the
// kept one is served. Its cache is named after the page it came with: a new page brings a
// new worker, which drops the caches of the old one.
'use strict';

const CACHE = 'allumettes-{{empreinte}}';
const PATIENCE = 4000; // milliseconds given to the network before the kept page is served

// On install, the pages that registered it, and itself.
self.addEventListener('install', (evenement) => {
  evenement.waitUntil((async () => {
    const fenetres = await self.clients.matchAll({ type: 'window', includeUncontrolled: true });
    const adresses = fenetres.map((fenetre) => fenetre.url.split('#')[0]);
    const cache = await caches.open(CACHE);
    await cache.addAll([...new Set([...adresses, self.location.href])]);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (evenement) => {
  evenement.waitUntil((async () => {
    for (const nom of await caches.keys()) if (nom !== CACHE) await caches.delete(nom);
    await self.clients.claim();
  })());
});

// Keeps what the network gave, if it is whole.
async function garder(requete, reponse) {
  if (reponse.ok && reponse.type === 'basic') await (await caches.open(CACHE)).put(requete, reponse.clone());
  return reponse;
}

// The network's answer if it comes in time; else the kept page, or the network's answer
// when nothing is kept.
async function repondre(requete, reseau) {
  const delai = new Promise((fait) => setTimeout(fait, PATIENCE, null));
  try {
    const reponse = await Promise.race([reseau, delai]);
    if (reponse) return reponse;
  } catch {
    // No network: the kept page, below.
  }
  return (await caches.match(requete, { ignoreSearch: true })) || reseau;
}

self.addEventListener('fetch', (evenement) => {
  const requete = evenement.request;
  if (requete.method !== 'GET' || new URL(requete.url).origin !== self.location.origin) return;
  const reseau = fetch(requete).then((reponse) => garder(requete, reponse));
  evenement.waitUntil(reseau.catch(() => {}));
  evenement.respondWith(repondre(requete, reseau));
});
