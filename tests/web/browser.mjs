// SPDX-License-Identifier: MIT
// The web build in headless Chromium, served as the README's command serves
// it: the served folder holds only the page's files; the page loads without
// errors and without leaving its own server; the usage line shows at start,
// takes no clicks and fades; the pointer is hidden over the picture; frames
// advance; the start field and each preset after a click show their colour
// signatures (../presets.txt); F enters and leaves full screen; the page
// runs on after its tab was hidden; and Escape ends the demo and its
// frames, leaving only the message that it ended.
//   node browser.mjs PAGEDIR [--shot FILE]   PAGEDIR holds index.html,
//                                            lumbox.js and lumbox.wasm;
//                                            --shot also saves the start
//                                            picture as a PNG
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { countpixels } from '../pixels.mjs';
import { framecount, height, openpage, waitframes, waituntil, width } from './harness.mjs';

const [dir, option, shotfile] = process.argv.slice(2);
if (!dir || (option && (option !== '--shot' || !shotfile))) {
    console.error('usage: node browser.mjs PAGEDIR [--shot FILE]');
    process.exit(2);
}
const pagefiles = ['index.html', 'lumbox.js', 'lumbox.wasm'];

// Takes a picture of the canvas, without the usage line over it, and counts
// its pixels for which each condition on their red, green and blue
// (0 ... 1) holds.
async function count(page, relations) {
    await page.$eval('#usage', line => { line.style.visibility = 'hidden'; });
    const png = await page.screenshot({ encoding: 'base64', clip: { x: 0, y: 0, width, height } });
    await page.$eval('#usage', line => { line.style.visibility = ''; });
    const counts = await page.evaluate(async (png, relations, width, height, counter) => {
        const image = new Image();
        image.src = `data:image/png;base64,${png}`;
        await image.decode();
        const context = new OffscreenCanvas(width, height).getContext('2d');
        context.drawImage(image, 0, 0);
        const countpixels = new Function(`return ${counter}`)();
        return countpixels(context.getImageData(0, 0, width, height).data, 4, relations);
    }, png, relations, width, height, countpixels.toString());
    return { png, never: counts[0], some: counts[1] };
}

// Takes pictures a few frames apart until none has a pixel that fits
// `never` (the picture's signature) and some pixel fits `some` (what sets it
// apart from the picture before). Returns that picture as base64 PNG.
async function expectpicture(page, name, never, some) {
    let last;
    for (let attempt = 0; attempt < 20; attempt++) {
        await waitframes(page, 3);
        last = await count(page, [never, some]);
        if (last.never === 0 && last.some > 0) {
            console.log(`ok: ${name}: no pixel with ${never}, ${last.some} with ${some}`);
            return last.png;
        }
    }
    throw new Error(`${name}: the picture never showed its signature (last: ${last.never} pixels with ` +
                    `${never}, ${last.some} with ${some})`);
}

// The usage line's opacity and where its middle is.
const usage = page => page.$eval('#usage', line => {
    const box = line.getBoundingClientRect();
    return { text: line.textContent, opacity: Number(getComputedStyle(line).opacity),
             x: box.x + box.width / 2, y: box.y + box.height / 2 };
});

const { page, browser, problems, close } = await openpage(dir);
let failed = false;
try {
    const extra = readdirSync(dir).filter(file => !pagefiles.includes(file));
    if (extra.length)
        throw new Error(`the served folder holds more than the page: ${extra.join(', ')}`);
    console.log(`ok: the served folder holds only ${pagefiles.join(', ')}`);

    const line = await usage(page);
    if (!/click.*F.*Esc/.test(line.text) || line.opacity !== 1)
        throw new Error(`no usage line at start (text '${line.text}', opacity ${line.opacity})`);
    console.log(`ok: the usage line at start: ${line.text}`);

    const cursor = await page.evaluate((x, y) => {
        const under = document.elementFromPoint(x, y);
        return `${under.id}: ${getComputedStyle(under).cursor}`;
    }, width / 2, height / 2);
    if (cursor !== 'canvas: none')
        throw new Error(`the pointer over the picture is not hidden (${cursor})`);
    console.log('ok: the pointer is hidden over the picture');

    await waitframes(page, 10);
    const before = await framecount(page);
    await waitframes(page, 30);
    console.log(`ok: frames advance (${before} then ${await framecount(page)})`);

    const opacity = wanted => getComputedStyle(document.getElementById('usage')).opacity === wanted;
    await waituntil(page, 20, 'the usage line did not fade', opacity, '0');
    await page.mouse.move(width / 3, height / 3);
    await waituntil(page, 10, 'the usage line did not come back when the pointer moved', opacity, '1');
    console.log('ok: the usage line fades, and comes back when the pointer moves');

    for (const full of [true, false]) {
        await page.keyboard.press('f');
        const state = full ? 'full screen' : 'out of full screen';
        await waituntil(page, 10, `F did not put the page ${state}`,
                        full => (document.fullscreenElement !== null) === full, full);
        console.log(`ok: F puts the page ${state}`);
    }

    // Another tab in front hides the page; back in front, it runs on.
    const other = await browser.newPage();
    await other.bringToFront();
    await waituntil(page, 10, 'the page was not hidden by another tab', () => document.hidden);
    await other.close();
    await page.bringToFront();
    await waituntil(page, 10, 'the page did not show again', () => !document.hidden);
    await waitframes(page, 10);
    console.log('ok: the page runs on after it was hidden and shown');

    // The start field, then one click for each picture after it: the first
    // lands on the usage line, which passes it on to the picture; the others
    // in the middle, where the eye is unshifted.
    const signatures = readFileSync(new URL('../presets.txt', import.meta.url), 'utf8').split('\n')
        .filter(text => text.trim() && !text.startsWith('#')).map(text => text.split(/\s+/));
    for (const [k, [name, never, some]] of signatures.entries()) {
        const at = k === 1 ? line : { x: width / 2, y: height / 2 };
        if (k > 0)
            await page.mouse.click(at.x, at.y);
        const png = await expectpicture(page, name, never, some);
        if (name === 'start' && shotfile)
            writeFileSync(shotfile, Buffer.from(png, 'base64'));
    }

    await page.keyboard.press('Escape');
    await waituntil(page, 10, 'Escape: the page did not say the demo ended',
                    () => !document.getElementById('ended').hidden);
    const stopped = await framecount(page);
    await new Promise(resolve => setTimeout(resolve, 1000));
    const later = await framecount(page);
    if (later !== stopped)
        throw new Error(`Escape: the page says the demo ended, but frames went on (${stopped} then ${later})`);
    const shown = await page.evaluate(() => [...document.body.children]
        .filter(element => element.localName !== 'script' && element.getClientRects().length > 0)
        .map(element => element.id));
    if (shown.join() !== 'ended')
        throw new Error(`Escape: the page shows ${shown.join(', ')}, not only the message that the demo ended`);
    console.log('ok: Escape ends the demo and its frames, and only the message stays');
} catch (error) {
    console.error(`FAIL: ${error.message}`);
    failed = true;
} finally {
    await close();
}
for (const problem of problems)
    console.error(`FAIL: ${problem}`);
process.exit(failed || problems.length ? 1 : 0);
