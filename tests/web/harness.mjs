// Shared by the browser test and the benchmark: serves a built web folder
// on 127.0.0.1 and opens its page in headless Chromium (SwiftShader's
// WebGL), counting the frames the page asks the browser for.
import { createServer } from 'node:http';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';

export const skipped = 77;  // CTest's skip code

export const width = 800, height = 600;  // the demo's mode, pixels

const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Ends the process with CTest's skip code and the reason.
export function skip(reason) {
    console.log(`SKIPPED: ${reason}`);
    process.exit(skipped);
}

// Serves the files of dir, and nothing else, on a free port of 127.0.0.1.
function serve(dir) {
    const server = createServer((request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        const file = join(dir, path === '/' ? 'index.html' : path);
        if (path.includes('..') || !existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
        response.end(readFileSync(file));
    });
    return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Opens dir's page at 800x600 in a fresh headless Chromium profile. The page
// object counts animation frames in window.framecount; console errors, page
// errors and requests that left the local server land in `problems`.
// options.args adds Chromium flags.
export async function openpage(dir, options = {}) {
    if (!existsSync(chromium))
        skip(`no Chromium at ${chromium} (scripts/setup.sh --test installs it)`);
    let puppeteer;
    try {
        puppeteer = (await import('puppeteer-core')).default;
    } catch {
        skip('puppeteer-core is not installed in tests/web (scripts/setup.sh --test runs npm ci there)');
    }
    const server = await serve(dir);
    const origin = `http://127.0.0.1:${server.address().port}`;
    const profile = mkdtempSync(join(tmpdir(), 'lumbox-chromium-'));
    const args = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                  '--disable-background-networking', '--disable-component-update',
                  '--disable-sync', '--no-first-run', '--no-default-browser-check',
                  ...(options.args || [])];
    if (process.getuid && process.getuid() === 0)
        args.push('--no-sandbox');  // Chromium's sandbox refuses to run as root
    const browser = await puppeteer.launch({
        executablePath: chromium, headless: true, userDataDir: profile, args,
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
        const request = window.requestAnimationFrame.bind(window);
        window.requestAnimationFrame = run => request(t => { window.framecount++; run(t); });
    });
    await page.goto(`${origin}/`, { waitUntil: 'load' });
    const close = async () => {
        await browser.close();
        server.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { page, problems, close };
}

export const framecount = page => page.evaluate(() => window.framecount);

// Waits until the page has run `frames` more frames; fails after `seconds`.
export async function waitframes(page, frames, seconds = 60) {
    const until = (await framecount(page)) + frames;
    await page.waitForFunction(n => window.framecount >= n, { timeout: seconds * 1000, polling: 50 }, until);
}
