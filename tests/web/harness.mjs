// SPDX-License-Identifier: MIT
// Shared by the browser test and the web benchmark (tools/webbench.mjs):
// serves a built page folder on 127.0.0.1 as the README's command does and
// opens its page in headless Chromium (SwiftShader's WebGL), counting the
// frames the page asks the browser for.
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { existsSync } from 'node:fs';

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

// Opens dir's page at 800x600 in headless Chromium on a fresh profile
// (puppeteer's own, removed on close). The page counts the animation frames
// it asks for in window.framecount, and window.browserframe(callback) waits
// for one of the browser's frames without counting it; console errors, page
// errors and requests that failed or left the local server land in
// `problems`. options.args adds Chromium flags. reserve(other) stops the
// server, so that the page's address no longer answers, and serves the
// folder `other`, if given, in its place at the same address.
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
        window.requestAnimationFrame = run => request(t => { window.framecount++; run(t); });
    });
    await page.goto(`${origin}/`, { waitUntil: 'load' });
    const reserve = async other => {
        if (server.exitCode === null && server.signalCode === null) {
            server.kill();
            await once(server, 'exit');
        }
        if (other)
            ({ server } = await serve(other, new URL(origin).port));
    };
    const close = () => browser.close().finally(() => server.kill());
    return { page, browser, problems, reserve, close };
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
