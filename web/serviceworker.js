// SPDX-License-Identifier: MIT
// lumbox's service worker: keeps the page's files, so that after one visit
// the demo starts with no network. Each request for one of them goes to the
// network first, and its answer replaces the kept copy, so a visitor who is
// online always gets the newest build; the kept copy answers only when the
// network fails. The build fills in the list of files.
'use strict';

const files = ['@keptfiles@'];
// Each copy of the page on a site keeps its files apart from the others.
const scope = self.registration.scope;
const cachename = `lumbox ${scope}`;

// The page's file that a request within the scope asks for ('index.html'
// for the folder itself), or undefined for anything else.
function pagefile(request) {
    const url = new URL(request.url);
    if (request.method !== 'GET' || !url.href.startsWith(scope))
        return undefined;
    const name = url.pathname.slice(new URL(scope).pathname.length) || 'index.html';
    return files.includes(name) ? name : undefined;
}

// Installed on the first visit: keeps every file before it takes over, and
// takes over from an older worker at once. 'no-cache' has the server
// confirm each file, rather than trusting a copy the browser's own cache
// still thinks fresh.
self.addEventListener('install', event => {
    event.waitUntil(caches.open(cachename)
        .then(cache => cache.addAll(files.map(name => new Request(name, { cache: 'no-cache' }))))
        .then(() => self.skipWaiting()));
});
self.addEventListener('activate', event => event.waitUntil(self.clients.claim()));

// A copy of the answer that the page is to ask this worker for again on
// its next load, rather than reuse from the browser's memory while it
// looks fresh (as a script reloaded in the same tab otherwise is).
function askagain(response) {
    const headers = new Headers(response.headers);
    headers.set('Cache-Control', 'no-cache');
    return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

self.addEventListener('fetch', event => {
    const name = pagefile(event.request);
    if (!name)
        return;
    event.respondWith(caches.open(cachename).then(cache =>
        fetch(event.request, { cache: 'no-cache' }).then(response => {
            if (!response.ok)
                return response;
            event.waitUntil(cache.put(name, response.clone()));
            return askagain(response);
        }, offline => cache.match(name).then(kept => kept ? askagain(kept) : Promise.reject(offline)))));
});
