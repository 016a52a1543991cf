// The web build in headless Chromium: the page loads without errors and
// without leaving its own server, frames advance, the start field and each
// preset after a click show their colour signatures (../presets.txt), frames
// go on after the tab was hidden and shown again, and Escape ends the demo
// and its frames.
//   node browser.mjs WEBDIR [--shot FILE]   WEBDIR holds index.html, lumbox.js
//                                           and lumbox.wasm; --shot also saves
//                                           the start picture as a PNG
import { readFileSync, writeFileSync } from 'node:fs';
import { framecount, height, openpage, waitframes, width } from './harness.mjs';

const [dir, option, shotfile] = process.argv.slice(2);
if (!dir || (option && (option !== '--shot' || !shotfile))) {
    console.error('usage: node browser.mjs WEBDIR [--shot FILE]');
    process.exit(2);
}

// Takes a picture of the canvas and counts its pixels for which each
// condition on their red, green and blue (0 ... 1) holds.
async function count(page, relations) {
    const png = await page.screenshot({ encoding: 'base64', clip: { x: 0, y: 0, width, height } });
    const counts = await page.evaluate(async (png, relations, width, height) => {
        const image = new Image();
        image.src = `data:image/png;base64,${png}`;
        await image.decode();
        const context = new OffscreenCanvas(width, height).getContext('2d');
        context.drawImage(image, 0, 0);
        const pixels = context.getImageData(0, 0, width, height).data;
        const tests = relations.map(relation => new Function('r', 'g', 'b', `return ${relation};`));
        const counts = relations.map(() => 0);
        for (let i = 0; i < pixels.length; i += 4)
            tests.forEach((test, k) => { if (test(pixels[i] / 255, pixels[i + 1] / 255, pixels[i + 2] / 255)) counts[k]++; });
        return counts;
    }, png, relations, width, height);
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

const { page, problems, close } = await openpage(dir);
let failed = false;
try {
    await waitframes(page, 10);
    const before = await framecount(page);
    await waitframes(page, 30);
    console.log(`ok: frames advance (${before} then ${await framecount(page)})`);

    // The start field, then one click for each picture after it.
    const signatures = readFileSync(new URL('../presets.txt', import.meta.url), 'utf8').split('\n')
        .filter(line => line.trim() && !line.startsWith('#')).map(line => line.split(/\s+/));
    for (const [name, never, some] of signatures) {
        if (name !== 'start')
            await page.mouse.click(width / 2, height / 2);  // the eye unshifted, as on the desktop
        const png = await expectpicture(page, name, never, some);
        if (name === 'start' && shotfile)
            writeFileSync(shotfile, Buffer.from(png, 'base64'));
    }

    // A hidden tab gets no frames; shown again, the demo draws on.
    const other = await page.browser().newPage();
    await other.bringToFront();
    await page.waitForFunction(() => document.hidden, { timeout: 10000 });
    await page.bringToFront();
    await other.close();
    await waitframes(page, 10, 20);
    console.log('ok: frames go on after the tab was hidden and shown again');

    await page.keyboard.press('Escape');
    await page.waitForSelector('#ended:not([hidden])', { timeout: 10000 });
    const stopped = await framecount(page);
    await new Promise(resolve => setTimeout(resolve, 1000));
    const later = await framecount(page);
    if (later !== stopped)
        throw new Error(`Escape: the page says the demo ended, but frames went on (${stopped} then ${later})`);
    console.log('ok: Escape ends the demo and its frames');
} catch (error) {
    console.error(`FAIL: ${error.message}`);
    failed = true;
} finally {
    await close();
}
for (const problem of problems)
    console.error(`FAIL: ${problem}`);
process.exit(failed || problems.length ? 1 : 0);
