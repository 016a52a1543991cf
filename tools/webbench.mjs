// SPDX-License-Identifier: MIT
// The web build's figures in headless Chromium (SwiftShader's WebGL): the
// page's bytes (raw, gzip, brotli), then for each page load on a fresh
// profile the time to the first frame over a slow phone network (files as
// the project's server sends them, uncompressed) and the frames per second
// with the browser's frame-rate cap off, so that the figure is the
// drawing's, not the display's. Prints lines of
//   bytes FILE RAW GZIP BROTLI      (FILE 'program' for lumbox.js and
//                                    lumbox.wasm, 'page' for those and
//                                    index.html)
//   run N FPS FIRST_FRAME_MS
//   node tools/webbench.mjs PAGEDIR RUNS FRAMES   (scripts/bench.sh runs it)
import { openpage, pagebytes, programfiles, waitframes } from '../tests/web/harness.mjs';

const [dir, runs = '5', frames = '2000'] = process.argv.slice(2);
const warmup = 100;  // frames before timing: shaders compiled, caches filled
// A slow 4G network: 1.6 Mbit/s down, 750 kbit/s up, 150 ms latency.
const slow4g = { download: 1.6e6 / 8, upload: 750e3 / 8, latency: 150 };

// What a first visit fetches before the first frame: the page and the
// program files, each, the program's together and the page's together.
const page = pagebytes(dir, ['index.html', ...programfiles]);
const program = { ...pagebytes(dir).at(-1), file: 'program' };
for (const { file, raw, gzip, brotli } of [...page.slice(0, -1), program, { ...page.at(-1), file: 'page' }])
    console.log(`bytes ${file} ${raw} ${gzip} ${brotli}`);

// Page time (ms) and frame count, read together in the page.
const now = page => page.evaluate(() => [performance.now(), window.framecount]);

for (let run = 1; run <= Number(runs); run++) {
    const { page, problems, close } = await openpage(dir, {
        args: ['--disable-frame-rate-limit', '--disable-gpu-vsync'], network: slow4g,
    });
    await waitframes(page, 1);
    const firstframe = await page.evaluate(() => window.firstframe);
    await waitframes(page, warmup);
    const [t0, f0] = await now(page);
    await waitframes(page, Number(frames), 600);
    const [t1, f1] = await now(page);
    await close();
    if (problems.length) {
        console.error(problems.join('\n'));
        process.exit(1);
    }
    console.log(`run ${run} ${((f1 - f0) / ((t1 - t0) / 1000)).toFixed(1)} ${firstframe.toFixed(0)}`);
}
