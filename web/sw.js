// SPDX-License-Identifier: GPL-3.0-or-later
// The site's service worker. Installed, it stores the site's files, and it answers from them
// first, so that the page opens offline and as an app from a home screen. Its store is named
// after the version and the files' contents (filled in when the site is built), so that a
// rebuilt site replaces it; older stores of this site are deleted, no other site's.
const prefix = `binrot ${self.registration.scope} `;
const store = prefix + '@STORE@';
const files = '@FILES@'.split(' ');

self.addEventListener('install', (event) => {
    // Past the browser's own cache, which may still hold the files of the site before.
    event.waitUntil(caches.open(store)
        .then((cache) => cache.addAll(files.map((file) => new Request(file, {cache: 'reload'}))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names
            .filter((name) => name.startsWith(prefix) && name !== store)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    event.respondWith(caches.open(store)
        .then((cache) => cache.match(event.request, {ignoreSearch: true}))
        .then((stored) => stored || fetch(event.request)));
});
