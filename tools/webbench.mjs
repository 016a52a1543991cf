// SPDX-License-Identifier: MIT
// Frames per second of the web build in headless Chromium (SwiftShader's
// WebGL), with the browser's frame-rate cap off so the figure is the
// drawing's, not the display's. Prints one line per run: run, fps.
//   node tools/webbench.mjs PAGEDIR RUNS FRAMES   (scripts/bench.sh runs it)
import { openpage, waitframes } from '../tests/web/harness.mjs';

const [dir, runs = '5', frames = '2000'] = process.argv.slice(2);
const warmup = 100;  // frames before timing: shaders compiled, caches filled

// Page time (ms) and frame count, read together in the page.
const now = page => page.evaluate(() => [performance.now(), window.framecount]);

for (let run = 1; run <= Number(runs); run++) {
    const { page, problems, close } = await openpage(dir, {
        args: ['--disable-frame-rate-limit', '--disable-gpu-vsync'],
    });
    await waitframes(page, warmup);
    const [t0, f0] = await now(page);
    await waitframes(page, Number(frames), 600);
    const [t1, f1] = await now(page);
    await close();
    if (problems.length) {
        console.error(problems.join('\n'));
        process.exit(1);
    }
    console.log(`${run} ${((f1 - f0) / ((t1 - t0) / 1000)).toFixed(1)}`);
}
