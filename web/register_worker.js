// SPDX-License-Identifier: GPL-3.0-or-later
// Served from a web site, the page registers the service worker that keeps it for offline use.
// When a rebuilt site's worker takes over, the page reloads once to run the new files.
if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    const earlier = navigator.serviceWorker.controller;
    navigator.serviceWorker.addEventListener('controllerchange', () => earlier && location.reload());
    navigator.serviceWorker.register('sw.js');
}
