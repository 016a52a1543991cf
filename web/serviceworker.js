// SPDX-License-Identifier: MIT
// lumbox's service worker: keeps the page's files, so that after one visit
// the demo starts with no network, or with one that does not answer. Each
// request for one of them goes to the network first, and an answer in time
// replaces the kept copy, so a visitor who is online gets the newest build.
// The kept copy answers when the network fails, and when it has not
// answered within a few seconds; the whole build is then fetched again for
// the next start. The build fills in the list of files.
'use strict';

const files = ['@keptfiles@'];
// How long a request waits for the network before the kept copy answers
// (ms): ample for a slow phone network, well within the 3 s a page may take
// to show its first picture.
const networkwait = 2000;
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

// Which build each page load (by its client id) runs, once that is known:
// 'kept' once a kept copy answered it, 'new' once the network gave it a file
// that differs from the kept copy. A load never mixes the two: a new
// program's script with a kept copy's WebAssembly would not run.
const builds = new Map();

const same = async (a, b) => {
    const [x, y] = await Promise.all([a.arrayBuffer(), b.arrayBuffer()]).then(both => both.map(data => new Uint8Array(data)));
    return x.length === y.length && x.every((byte, k) => byte === y[k]);
};

// Fetches every file again and keeps them only if all came, so that the
// kept files are always one build. One refresh at a time.
let refreshing = null;
function refresh() {
    refreshing = refreshing || Promise.all(files.map(name => fetch(name, { cache: 'no-cache' })))
        .then(answers => answers.every(answer => answer.ok) &&
              caches.open(cachename).then(cache => Promise.all(answers.map((answer, k) => cache.put(files[k], answer)))))
        .catch(() => {})
        .finally(() => { refreshing = null; });
    return refreshing;
}

async function answer(event, name, client) {
    const cache = await caches.open(cachename);
    const kept = await cache.match(name);
    if (kept && builds.get(client) === 'kept')
        return askagain(kept);
    // Counts as answered once the whole file has come.
    const network = fetch(event.request, { cache: 'no-cache' }).then(async response => {
        if (response.ok && kept && !await same(response.clone(), kept.clone()) && builds.get(client) !== 'kept')
            builds.set(client, 'new');
        return response;
    });
    let timer;
    const late = new Promise(resolve => { timer = setTimeout(resolve, networkwait); });
    const first = await Promise.race([network.then(response => ({ response }), offline => ({ offline })), late]);
    clearTimeout(timer);
    if (first && first.response) {
        if (first.response.ok)
            event.waitUntil(cache.put(name, first.response.clone()));
        return first.response.ok ? askagain(first.response) : first.response;
    }
    if (!kept || builds.get(client) === 'new')
        return network;
    builds.set(client, 'kept');
    if (!first)
        event.waitUntil(refresh());
    return askagain(kept);
}

self.addEventListener('fetch', event => {
    const name = pagefile(event.request);
    if (name)
        event.respondWith(answer(event, name, event.resultingClientId || event.clientId));
});
