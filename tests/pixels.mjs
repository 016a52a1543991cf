// SPDX-License-Identifier: MIT
// Pixel counts for the tests: how many pixels of a picture fit each of
// some conditions on their red, green and blue, each from 0 to 1, written
// as JavaScript over r, g and b, such as 'r!=b' or 'g>r||g>b' (as in
// presets.txt). The browser test runs countpixels inside its page; the
// end-to-end tests run this file on a screenshot:
//   node pixels.mjs FILE.ppm CONDITION...   prints the counts on one line

// Counts, for each condition, the pixels of `data` (8-bit channels, red
// first, `stride` bytes a pixel) that fit it. Self-contained, so that a
// page can be handed its text.
export function countpixels(data, stride, conditions) {
    const tests = conditions.map(c => new Function('r', 'g', 'b', `return ${c};`));
    const counts = conditions.map(() => 0);
    for (let i = 0; i < data.length; i += stride)
        tests.forEach((test, k) => { if (test(data[i] / 255, data[i + 1] / 255, data[i + 2] / 255)) counts[k]++; });
    return counts;
}

import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

if (process.argv[1] && import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [file, ...conditions] = process.argv.slice(2);
    const ppm = readFileSync(file);
    const header = /^P6\s+(\d+)\s+(\d+)\s+255\s/.exec(ppm.toString('latin1', 0, 64));
    if (!header) {
        console.error(`pixels: ${file} is not an 8-bit binary PPM`);
        process.exit(2);
    }
    const data = ppm.subarray(header[0].length);
    if (data.length !== header[1] * header[2] * 3) {
        console.error(`pixels: ${file} is cut short`);
        process.exit(2);
    }
    console.log(countpixels(data, 3, conditions).join(' '));
}
