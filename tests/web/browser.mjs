// SPDX-License-Identifier: MIT
// The web build in headless Chromium, served as the README's command serves
// it: the served folder holds only the page's files, and its program files
// stay within their size; the page loads without errors and without leaving
// its own server; the usage line shows at start, takes no clicks and fades;
// the pointer is hidden over the picture; frames advance; the start field
// and each preset after a click show their colour signatures
// (../presets.txt); F and a click on the button enter and leave full
// screen; the page runs on after its tab was hidden, and asks for a screen
// wake lock again when shown; a lost WebGL context reports nothing while
// lost and, once given back, shows the same preset moving on; Escape ends
// the demo and its frames, leaving only the message that it ended, and lets
// the wake lock go; Chromium finds the page installable as an app, and its
// icons load at their sizes; with the network off, a reload still draws the
// start field; a changed build at the same address shows on the next load,
// online and then offline; with a network that never answers, the kept copy
// shows a first frame within 5 s; on a phone the usage line speaks of taps,
// a tap on the button puts the page full screen without stepping the preset
// and a tap on the picture steps it; and without WebGL the page says that
// it needs it, with no page error.
//   node browser.mjs PAGEDIR [--shot FILE]   PAGEDIR holds the page's
//   files; --shot also saves the start picture as a PNG
import { appendFileSync, cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { countpixels } from '../pixels.mjs';
import { height, openpage, pagebytes, waitframes, waituntil, width } from './harness.mjs';

const [dir, option, shotfile] = process.argv.slice(2);
if (!dir || (option && (option !== '--shot' || !shotfile))) {
    console.error('usage: node browser.mjs PAGEDIR [--shot FILE]');
    process.exit(2);
}
const pagefiles = ['index.html', 'lumbox.js', 'lumbox.wasm', 'manifest.json', 'serviceworker.js',
                   'icon-192.png', 'icon-512.png', 'apple-touch-icon.png'];
const middle = { x: width / 2, y: height / 2 };
const brotlilimit = 28000;  // bytes of the program files together, brotli
const restoreseconds = 2;   // a context given back shows the picture again
const hungseconds = 5;      // a network that never answers: the first frame
// The page is served from a copy made an hour old, so that the browser
// keeps what it fetched as still fresh for a while, as it does for a
// returning visitor; `second` becomes a newer build beside it.
const copies = mkdtempSync(join(tmpdir(), 'lumbox-web-'));
process.on('exit', () => rmSync(copies, { recursive: true, force: true }));
const [first, second] = [join(copies, 'first'), join(copies, 'second')];
cpSync(dir, first, { recursive: true });
const hourago = Date.now() / 1000 - 3600;
for (const file of readdirSync(first))
    utimesSync(join(first, file), hourago, hourago);

// Stands in for the screen wake lock, which headless Chromium never
// grants: window.wakelocks() says how often one was asked for and how many
// are held, and, like the browser's own, a held lock is let go when the
// page is hidden.
function stubwakelock() {
    const held = new Set();
    let asked = 0;
    window.wakelocks = () => ({ asked, held: held.size });
    const request = async () => {
        asked++;
        const lock = new EventTarget();
        lock.release = async () => {
            if (held.delete(lock))
                lock.dispatchEvent(new Event('release'));
        };
        held.add(lock);
        return lock;
    };
    Object.defineProperty(navigator, 'wakeLock', { value: { request }, configurable: true });
    document.addEventListener('visibilitychange', () => {
        if (document.hidden)
            held.forEach(lock => lock.release());
    });
}
const { page, browser, problems, reserve, hangup, close } = await openpage(first, { init: stubwakelock });

// Says ok where `holds`, or fails with `fault`.
function expect(holds, ok, fault) {
    if (!holds)
        throw new Error(fault);
    console.log(`ok: ${ok}`);
}

// The middle of the element with that id, in the window.
const centre = id => page.$eval(`#${id}`, element => {
    const box = element.getBoundingClientRect();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
});

// Takes pictures a few frames apart, without the usage line and the button
// over them, until none has a pixel that fits `never` (the picture's
// signature) and some pixel fits `some` (what sets it apart from the
// picture before).
// Returns that picture as base64 PNG.
async function expectpicture(name, never, some) {
    let counts;
    for (let attempt = 0; attempt < 20; attempt++) {
        await waitframes(page, 3);
        const overlays = '#usage, #fullscreen';
        const show = (elements, visibility) => elements.forEach(element => { element.style.visibility = visibility; });
        await page.$$eval(overlays, show, 'hidden');
        const png = await page.screenshot({ encoding: 'base64' });
        await page.$$eval(overlays, show, '');
        counts = await page.evaluate(async (png, conditions, counter) => {
            const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
            const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
            context.drawImage(image, 0, 0);
            const pixels = context.getImageData(0, 0, image.width, image.height).data;
            return new Function(`return ${counter}`)()(pixels, 4, conditions);
        }, png, [never, some], countpixels.toString());
        if (counts[0] === 0 && counts[1] > 0) {
            console.log(`ok: ${name}: no pixel with ${never}, ${counts[1]} with ${some}`);
            return png;
        }
    }
    throw new Error(`${name}: the picture never showed its signature (last: ${counts[0]} pixels with ` +
                    `${never}, ${counts[1]} with ${some})`);
}

try {
    const extra = readdirSync(dir).filter(file => !pagefiles.includes(file));
    expect(!extra.length, `the served folder holds only ${pagefiles.join(', ')}`,
           `the served folder holds more than the page: ${extra.join(', ')}`);
    const bytes = pagebytes(dir).at(-1).brotli;
    expect(bytes <= brotlilimit, `the program files: ${bytes} bytes brotli, at most ${brotlilimit}`,
           `the program files: ${bytes} bytes brotli, more than ${brotlilimit}`);

    // The usage line (its text, opacity and middle) and what is under the
    // pointer in the middle of the picture.
    const start = await page.evaluate(({ x, y }) => {
        const line = document.getElementById('usage'), box = line.getBoundingClientRect();
        const under = document.elementFromPoint(x, y);
        return { text: line.innerText, opacity: getComputedStyle(line).opacity,
                 x: box.x + box.width / 2, y: box.y + box.height / 2,
                 cursor: `${under.id}: ${getComputedStyle(under).cursor}` };
    }, middle);
    expect(/click.*F.*Esc/.test(start.text) && start.opacity === '1',
           `the usage line at start: ${start.text}`,
           `no usage line at start (text '${start.text}', opacity ${start.opacity})`);
    expect(start.cursor === 'canvas: none', 'the pointer is hidden over the picture',
           `the pointer over the picture is not hidden (${start.cursor})`);

    const before = await waitframes(page, 10);
    console.log(`ok: frames advance (${before} then ${await waitframes(page, 30)})`);

    // The pointer stays still until the usage line has faded, so what leaves
    // it alone runs meanwhile. Full screen is granted only to the tab in
    // front, so the other tab opens after F's checks.
    let other;
    const pressf = () => page.keyboard.press('f');
    const clickbutton = async () => { const { x, y } = await centre('fullscreen'); await page.mouse.click(x, y); };
    const openother = async () => (other = await browser.newPage()).bringToFront();
    for (const [act, fault, state] of [
        [pressf, 'F did not put the page full screen', () => !!document.fullscreenElement],
        [pressf, 'F did not end full screen', () => !document.fullscreenElement],
        [clickbutton, 'a click on the button did not put the page full screen', () => !!document.fullscreenElement],
        [clickbutton, 'a click on the button did not end full screen', () => !document.fullscreenElement],
        [openother, 'another tab in front did not hide the page', () => document.hidden],
        [() => page.bringToFront(), 'the page did not show again', () => !document.hidden]]) {
        await act();
        await waituntil(page, 10, fault, state);
    }
    await other.close();
    console.log('ok: F and a click on the button put the page full screen and back');
    await waitframes(page, 10);
    console.log('ok: the page runs on after another tab hid it');
    const locks = await page.evaluate(() => window.wakelocks());
    expect(locks.asked === 2 && locks.held === 1, 'a wake lock is asked for at start and again once the page shows',
           `wake locks: ${locks.asked} asked for (start and shown again: 2), ${locks.held} held`);

    const opacity = wanted => getComputedStyle(document.getElementById('usage')).opacity === wanted;
    await waituntil(page, 20, 'the usage line did not fade', opacity, '0');
    await page.mouse.move(width / 3, height / 3);

    // The start field (the button's clicks left it) while the usage line
    // comes back, then one click for each picture after it: the first lands
    // on the usage line, which passes it on to the picture; the others in the
    // middle, where the eye is unshifted.
    const [field, ...presets] = readFileSync(new URL('../presets.txt', import.meta.url), 'utf8').split('\n')
        .filter(text => text.trim() && !text.startsWith('#')).map(text => text.split(/\s+/));
    const png = await expectpicture(...field);
    if (shotfile)
        writeFileSync(shotfile, Buffer.from(png, 'base64'));
    await waituntil(page, 10, 'the usage line did not come back when the pointer moved', opacity, '1');
    console.log('ok: the usage line fades, and comes back when the pointer moves');
    for (const [k, [name, never, some]] of presets.entries()) {
        const at = k === 0 ? start : middle;
        await page.mouse.click(at.x, at.y);
        await expectpicture(name, never, some);
    }

    // The WebGL context lost, as a phone takes it away, and given back. The
    // page's draw calls are timed (window.drawn); errors from then on are
    // problems, as everywhere here; the GL state between two frames is the
    // same before and after.
    const glstate = () => {
        const gl = document.getElementById('canvas').getContext('webgl');
        return JSON.stringify(['DEPTH_TEST', 'DEPTH_FUNC', 'BLEND', 'BLEND_SRC_RGB', 'BLEND_DST_RGB', 'VIEWPORT',
                               'COLOR_CLEAR_VALUE'].map(name => [name, gl.getParameter(gl[name])]));
    };
    const state = await page.evaluate(glstate);
    const reported = problems.length;
    const lostat = await page.evaluate(() => {
        const gl = document.getElementById('canvas').getContext('webgl');
        const draw = gl.drawArrays.bind(gl);
        gl.drawArrays = (...args) => { window.drawn = performance.now(); draw(...args); };
        window.losecontext = gl.getExtension('WEBGL_lose_context');
        window.losecontext.loseContext();
        return performance.now();
    });
    await waitframes(page, 30);
    const lost = await page.evaluate(since => !(window.drawn > since), lostat);
    expect(lost && problems.length === reported, 'a lost context: 30 frames go by with nothing drawn or reported',
           `a lost context: over 30 frames ${lost ? 'nothing' : 'something'} was drawn and ` +
           `${problems.length - reported} errors reported${problems[reported] ? `, the first: ${problems[reported]}` : ''}`);
    const given = await page.evaluate(() => { window.losecontext.restoreContext(); return performance.now(); });
    await waituntil(page, restoreseconds, 'the context given back: nothing drawn', since => window.drawn > since, given);
    const [name, never, some] = presets.at(-1);
    const again = await expectpicture(`the context given back: ${name}`, never, some);
    const later = await expectpicture(`the context given back, later: ${name}`, never, some);
    const stateagain = await page.evaluate(glstate);
    expect(later !== again && stateagain === state,
           `the context given back: drawn within ${restoreseconds} s, the tour moves on, the GL state as before`,
           `the context given back: the tour ${later !== again ? 'moves on' : 'stands still'}, ` +
           `the GL state was ${state}, now ${stateagain}`);

    // Over ten of the browser's frames after the demo said it ended, the
    // demo asks for none.
    await page.keyboard.press('Escape');
    await waituntil(page, 10, 'Escape: the page did not say the demo ended',
                    () => !document.getElementById('ended').hidden);
    const end = await page.evaluate(async () => {
        const stopped = window.framecount;
        for (let frame = 0; frame < 10; frame++)
            await new Promise(done => window.browserframe(done));
        return { stopped, later: window.framecount, shown: [...document.body.children]
            .filter(element => element.localName !== 'script' && element.getClientRects().length > 0)
            .map(element => element.id).join() };
    });
    expect(end.later === end.stopped, 'Escape ends the demo and its frames',
           `Escape: the page says the demo ended, but frames went on (${end.stopped} then ${end.later})`);
    expect(end.shown === 'ended', 'after Escape only the message that the demo ended stays',
           `Escape: the page shows ${end.shown}, not only the message that the demo ended`);
    const held = await page.evaluate(() => window.wakelocks().held);
    expect(held === 0, 'after Escape the wake lock is let go', `after Escape ${held} wake locks are held`);

    // Chromium's own check finds nothing that keeps the page from being
    // installed; the icons are the sizes they claim.
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    expect(!installabilityErrors.length, 'Chromium finds the page installable',
           `Chromium finds the page not installable: ${installabilityErrors.map(e => e.errorId).join(', ')}`);
    const icons = await page.evaluate(async () => {
        const manifest = await (await fetch('manifest.json')).json();
        const touchicon = document.querySelector('link[rel=apple-touch-icon]');
        return Promise.all([...manifest.icons, { src: touchicon.href, sizes: '180x180' }].map(async icon => {
            const image = new Image();
            image.src = new URL(icon.src, location).href;
            await image.decode().catch(() => {});
            return { icon: `${icon.src.split('/').pop()} ${icon.purpose || ''}`.trim(), wanted: icon.sizes,
                     loaded: `${image.naturalWidth}x${image.naturalHeight}` };
        }));
    });
    const wrong = icons.filter(icon => icon.loaded !== icon.wanted);
    expect(!wrong.length, `the icons load at their sizes: ${icons.map(icon => icon.icon).join(', ')}`,
           `icons not at their sizes: ${wrong.map(icon => `${icon.icon} ${icon.loaded}`).join(', ')}`);

    // Reloads with the page's server serving `other`, or with the network
    // off and no server at all.
    const reload = async other => {
        await page.setOfflineMode(!other);
        await reserve(other);
        await page.reload({ waitUntil: 'load' });
        await waituntil(page, 10, `${other ? 'online' : 'offline'}, a reload did not bring the page`,
                        () => !!document.getElementById('canvas'));
    };
    await waituntil(page, 20, 'no service worker took charge of the page',
                    () => !!navigator.serviceWorker.controller);
    await reload(null);
    await expectpicture(`offline: ${field[0]}`, field[1], field[2]);

    // A new build: a changed page and program, at the same address.
    const mark = 'the second build';
    cpSync(dir, second, { recursive: true });
    writeFileSync(join(second, 'index.html'),
                  readFileSync(join(second, 'index.html'), 'utf8').replace('<html', `<html data-build="${mark}"`));
    appendFileSync(join(second, 'lumbox.js'), `\nwindow.build = '${mark}';\n`);
    for (const [other, when] of [[second, 'online'], [null, 'offline']]) {
        await reload(other);
        await waitframes(page, 10);
        const seen = await page.evaluate(() => [document.documentElement.dataset.build, window.build]);
        expect(seen[0] === mark && seen[1] === mark, `${when}, the next load runs the new build`,
               `${when}, the next load runs an old build (index.html ${seen[0] ? 'new' : 'old'}, lumbox.js ${seen[1] ? 'new' : 'old'})`);
    }

    // A network that seems up but never answers (a train, a captive
    // portal): the kept copy starts the page.
    await page.setOfflineMode(false);
    await hangup();
    const asked = Date.now();
    const hung = `with a network that never answers, no first frame within ${hungseconds} s`;
    await page.reload({ waitUntil: 'load', timeout: hungseconds * 1000 }).catch(() => { throw new Error(hung); });
    await waituntil(page, hungseconds, hung, () => window.framecount > 0);
    const took = Date.now() - asked;
    expect(took <= hungseconds * 1000, `with a network that never answers, the first frame after ${took} ms`, hung);
    await reload(second);

    // On a phone, upright; the page loads again. A tap on the black above
    // the picture brings the button back, should it have faded since.
    const phone = { width: 390, height: 844 };
    await page.setViewport({ ...phone, deviceScaleFactor: 1, isMobile: true, hasTouch: true });
    const text = await page.$eval('#usage', line => line.innerText);
    expect(/tap/.test(text) && !/Esc/.test(text), `on a phone the usage line says: ${text}`,
           `on a phone the usage line says: ${text}`);
    await page.touchscreen.tap(phone.width / 2, 1);
    const button = await centre('fullscreen');
    await page.touchscreen.tap(button.x, button.y);
    await waituntil(page, 10, 'on a phone a tap on the button did not put the page full screen',
                    () => !!document.fullscreenElement);
    await expectpicture(`full screen on a phone: ${field[0]}`, field[1], field[2]);
    await page.touchscreen.tap(phone.width / 2, phone.height / 2);
    await expectpicture(`a tap on the picture: ${presets[0][0]}`, presets[0][1], presets[0][2]);

    // A browser with WebGL turned off: only the line that says so shows, and
    // the program's own report of it is all that the console gets.
    const plain = await openpage(first, { args: ['--disable-webgl'] });
    try {
        const said = await waituntil(plain.page, 10, 'without WebGL the page shows no message', () =>
            !document.getElementById('failed').hidden && [...document.body.children]
                .filter(element => element.localName !== 'script' && element.getClientRects().length > 0)
                .map(element => `${element.id}: ${element.innerText}`).join(' | '));
        expect(/^failed: .*needs WebGL/.test(said) && !said.includes('|'), `without WebGL the page says only ${said}`,
               `without WebGL the page shows ${said}`);
        problems.push(...plain.problems.filter(problem => problem !== `console error: ${said.slice('failed: '.length)}`));
    } finally {
        await plain.close();
    }
} catch (error) {
    problems.unshift(error.message);
} finally {
    await close();
}
for (const problem of problems)
    console.error(`FAIL: ${problem}`);
process.exit(problems.length ? 1 : 0);
