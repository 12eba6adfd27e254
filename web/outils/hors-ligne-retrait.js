// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Retires the game from a web server: copied over the site's hors-ligne.js, it takes the
// place of the game's worker at each player's next visit, deletes the game's caches (those of
// its scope, and release 1.4's, which holds this worker's address) and unregisters itself.
// Other apps of the server keep theirs. Leave it there as long as players may come back.
'use strict';
self.addEventListener('install', () => self.skipWaiting());
self.addEventListener('activate', (evenement) => evenement.waitUntil((async () => {
  for (const nom of await caches.keys()) {
    const ancienne = /^allumettes-[0-9a-f]{16}$/.test(nom) && (await (await caches.open(nom)).match(self.location.href));
    if (nom.startsWith(`allumettes ${self.registration.scope} `) || ancienne) await caches.delete(nom);
  }
  await self.registration.unregister();
})()));
