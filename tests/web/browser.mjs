// SPDX-License-Identifier: MIT
// The web build in headless Chromium, served as the README's command serves
// it: the served folder holds only the page's files; the page loads without
// errors and without leaving its own server; the usage line shows at start,
// takes no clicks and fades; the pointer is hidden over the picture; frames
// advance; the start field and each preset after a click show their colour
// signatures (../presets.txt); F and a click on the button enter and leave
// full screen; the page runs on after its tab was hidden; Escape ends the
// demo and its frames, leaving only the message that it ended; and on a
// phone the usage line speaks of taps, a tap on the button puts the page
// full screen without stepping the preset and a tap on the picture steps it.
//   node browser.mjs PAGEDIR [--shot FILE]   PAGEDIR holds the page's three
//   files; --shot also saves the start picture as a PNG
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { countpixels } from '../pixels.mjs';
import { height, openpage, waitframes, waituntil, width } from './harness.mjs';

const [dir, option, shotfile] = process.argv.slice(2);
if (!dir || (option && (option !== '--shot' || !shotfile))) {
    console.error('usage: node browser.mjs PAGEDIR [--shot FILE]');
    process.exit(2);
}
const pagefiles = ['index.html', 'lumbox.js', 'lumbox.wasm'];
const middle = { x: width / 2, y: height / 2 };
const { page, browser, problems, close } = await openpage(dir);

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
} catch (error) {
    problems.unshift(error.message);
} finally {
    await close();
}
for (const problem of problems)
    console.error(`FAIL: ${problem}`);
process.exit(problems.length ? 1 : 0);
