// SPDX-License-Identifier: MIT
// Shared by the browser test and the web benchmark (tools/webbench.mjs):
// serves a built page folder on 127.0.0.1 as the README's command does (or
// a server that never answers in its place) and opens its page in headless
// Chromium (SwiftShader's WebGL), counting the frames the page asks the
// browser for; and measures the program files' bytes.
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { join } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

export const width = 800, height = 600;  // the demo's mode, pixels

const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const skipped = 77;  // CTest's skip code
const skip = reason => { console.log(`SKIPPED: ${reason}`); process.exit(skipped); };

// Serves dir with the server scripts/web.sh runs (Python's http.server) on
// that port of 127.0.0.1, or a free one, which it names on its first line
// of output. Resolves to the server's process and the page's origin.
function serve(dir, port = 0) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '--directory', dir, `${port}`],
                         { stdio: ['ignore', 'pipe', 'ignore'] });
    process.on('exit', () => server.kill());
    return new Promise((resolve, reject) => {
        let said = '';
        server.stdout.on('data', data => {
            const port = /port (\d+)/.exec(said += data);
            if (port)
                resolve({ server, origin: `http://127.0.0.1:${port[1]}` });
        });
        server.on('error', reject);
        server.on('exit', status => reject(new Error(`the web server ended with status ${status}`)));
    });
}

// The program's files, which a visitor fetches before the first frame.
export const programfiles = ['lumbox.js', 'lumbox.wasm'];

// Bytes of each of those files in dir and of them together: raw, gzip and
// brotli (each at its best), as a server that compresses would send them.
export function pagebytes(dir, names = programfiles) {
    const total = { file: 'together', raw: 0, gzip: 0, brotli: 0 };
    const files = names.map(file => {
        const data = readFileSync(join(dir, file));
        const sizes = { file, raw: data.length, gzip: gzipSync(data, { level: 9 }).length,
                        brotli: brotliCompressSync(data, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length };
        for (const kind of ['raw', 'gzip', 'brotli'])
            total[kind] += sizes[kind];
        return sizes;
    });
    return [...files, total];
}

// A server at that port of 127.0.0.1 that accepts connections and never
// answers, as a network that seems up but is not. Resolves to a function
// that stops it.
async function hang(port) {
    const sockets = new Set();
    const server = createServer(socket => sockets.add(socket));
    server.listen(port, '127.0.0.1');
    await once(server, 'listening');
    return () => {
        sockets.forEach(socket => socket.destroy());
        return new Promise(done => server.close(done));
    };
}

// Opens dir's page at 800x600 in headless Chromium on a fresh profile
// (puppeteer's own, removed on close). The page counts the animation frames
// it asks for in window.framecount and keeps the time of the first (ms
// from the start of its load) in window.firstframe, and
// window.browserframe(callback) waits for one of the browser's frames
// without counting it; console errors, page errors and requests that failed
// or left the local server land in `problems`. options.args adds Chromium
// flags; options.init runs in each document the page opens before the
// document's own scripts; options.network ({ download, upload } bytes per
// second, latency ms) slows the network down from the start.
// reserve(other) stops the server, so that the page's address no longer
// answers, and serves the folder `other`, if given, in its place at the same
// address; hangup() stops it too, and puts a server that never answers
// there.
export async function openpage(dir, options = {}) {
    if (!existsSync(chromium))
        skip(`no Chromium at ${chromium} (scripts/setup.sh --test installs it)`);
    const { default: puppeteer } = await import('puppeteer-core').catch(() =>
        skip('puppeteer-core is not installed in tests/web (scripts/setup.sh --test runs npm ci there)'));
    let { server, origin } = await serve(dir);
    const args = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                  '--disable-background-networking', '--disable-component-update',
                  '--disable-sync', '--no-first-run', '--no-default-browser-check',
                  ...(options.args || [])];
    if (process.getuid && process.getuid() === 0)
        args.push('--no-sandbox');  // Chromium's sandbox refuses to run as root
    const browser = await puppeteer.launch({
        executablePath: chromium, headless: true, args,
        defaultViewport: { width, height, deviceScaleFactor: 1 },
    });
    const page = await browser.newPage();
    const problems = [];
    page.on('console', m => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });
    page.on('pageerror', e => problems.push(`page error: ${e.message}`));
    page.on('request', r => {
        if (!r.url().startsWith(origin) && !r.url().startsWith('data:'))
            problems.push(`request away from the page's server: ${r.url()}`);
    });
    page.on('requestfailed', r => problems.push(`request failed: ${r.url()}`));
    page.on('response', r => { if (r.status() >= 400) problems.push(`HTTP ${r.status()}: ${r.url()}`); });
    await page.evaluateOnNewDocument(() => {
        window.framecount = 0;
        const request = window.browserframe = window.requestAnimationFrame.bind(window);
        window.requestAnimationFrame = run => request(t => {
            if (window.framecount++ === 0)
                window.firstframe = performance.now();
            run(t);
        });
    });
    if (options.init)
        await page.evaluateOnNewDocument(options.init);
    if (options.network)
        await page.emulateNetworkConditions(options.network);
    await page.goto(`${origin}/`, { waitUntil: 'load' });
    const port = new URL(origin).port;
    let stophanging = null;
    const reserve = async other => {
        if (server.exitCode === null && server.signalCode === null) {
            server.kill();
            await once(server, 'exit');
        }
        if (stophanging)
            await stophanging();
        stophanging = null;
        if (other)
            ({ server } = await serve(other, port));
    };
    const hangup = async () => {
        await reserve(null);
        stophanging = await hang(port);
    };
    const close = () => browser.close().finally(() => { server.kill(); if (stophanging) stophanging(); });
    return { page, browser, problems, reserve, hangup, close };
}

// Waits until test(...args), run in the page, gives a true value and
// returns that value; after `seconds` fails with "WHAT within SECONDS s".
export async function waituntil(page, seconds, what, test, ...args) {
    const value = await page.waitForFunction(test, { timeout: seconds * 1000, polling: 50 }, ...args)
        .catch(() => { throw new Error(`${what} within ${seconds} s`); });
    return value.jsonValue();
}

// Waits until the page has run `frames` more frames and returns its frame
// count; fails after `seconds`.
export async function waitframes(page, frames, seconds = 60) {
    const until = await page.evaluate(() => window.framecount) + frames;
    return waituntil(page, seconds, `no ${frames} more frames`,
                     n => window.framecount >= n && window.framecount, until);
}
