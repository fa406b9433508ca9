// End-to-end test of the demo page: starts the launcher with the service,
// drives the page in headless chromium through a person's main steps, and
// checks the event log and the view area after each one.  Also checks that
// a page from another origin cannot open the WebSocket.  Every wait is
// bounded; a failure names the step.
import { spawn } from 'node:child_process';
import { mkdtempSync, mkdirSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';

import { CHROMIUM, STEP_MS, chromium, freePort, root, sleep } from './harness.mjs';

const TOTAL_MS = 75000;

function option(name) {
  const at = process.argv.indexOf(`--${name}`);
  if (at < 0 || at + 1 >= process.argv.length) throw new Error(`missing --${name}`);
  return process.argv[at + 1];
}

// Waits until the service answers HTTP on its port.
async function waitForService(port, launcher) {
  const deadline = Date.now() + STEP_MS;
  while (Date.now() < deadline) {
    if (launcher.exitCode !== null) throw new Error(`the launcher exited with ${launcher.exitCode}`);
    try {
      const response = await fetch(`http://127.0.0.1:${port}/`);
      if (response.ok) return;
    } catch {
      // not listening yet
    }
    await sleep(100);
  }
  throw new Error(`the service did not answer on port ${port}`);
}

// A page on another origin that tries to open the service's WebSocket and
// reports what happened in its title.
function startForeignPage(port, servicePort) {
  const html = `<!doctype html><title>pending</title><script>
    const socket = new WebSocket('ws://127.0.0.1:${servicePort}/plugin');
    socket.onopen = () => { document.title = 'opened'; };
    socket.onclose = () => { if (document.title !== 'opened') document.title = 'refused'; };
  </script>`;
  const server = createServer((request, response) => {
    response.writeHead(200, { 'content-type': 'text/html' });
    response.end(html);
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

async function main() {
  const launcherPath = option('launcher');
  const screenshot = option('screenshot');
  mkdirSync(path.dirname(screenshot), { recursive: true });
  const work = mkdtempSync(path.join(tmpdir(), 'browser-test-'));
  const port = await freePort();
  mkdirSync(path.join(work, 'run'), { recursive: true });
  const launcher = spawn(launcherPath, [String(port)], {
    env: {
      ...process.env,
      XDG_RUNTIME_DIR: path.join(work, 'run'),
      FERROWYN_DATA_DIR: path.join(work, 'data'),
      FERROWYN_DOWNLOAD_MS: '1200',
      FERROWYN_WEB_DIR: path.join(root, 'tools/web'),
    },
    stdio: ['ignore', 'inherit', 'inherit'],
  });
  let context = null;
  let foreign = null;
  let page = null;
  const pageErrors = [];
  let current = 'start';

  const step = async (name, body) => {
    current = name;
    const started = Date.now();
    await body();
    if (pageErrors.length > 0) throw new Error(`the page reported errors: ${pageErrors.join('; ')}`);
    console.log(`ok - ${name} (${Date.now() - started} ms)`);
  };
  const timer = setTimeout(() => {
    console.error(`FAILED at step "${current}": the whole test took longer than ${TOTAL_MS} ms`);
    process.exit(1);
  }, TOTAL_MS);

  try {
    await step('the launcher starts the service', () => waitForService(port, launcher));
    context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
      executablePath: CHROMIUM,
      headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run'],
      viewport: { width: 1500, height: 1050 },
      acceptDownloads: false,
    });
    context.setDefaultTimeout(STEP_MS);
    page = context.pages()[0] || (await context.newPage());
    page.on('pageerror', (error) => pageErrors.push(error.message));
    page.on('console', (message) => {
      if (message.type() === 'error') pageErrors.push(message.text());
    });

    // Helpers over the page.
    const status = (name) => page.locator(`[data-status="${name}"]`);
    const expectStatus = async (name, pattern) => {
      await page.waitForFunction(([n, source]) => {
        const node = document.querySelector(`[data-status="${n}"]`);
        return node && node.classList.contains('ok') && new RegExp(source).test(node.textContent);
      }, [name, pattern.source], { timeout: STEP_MS }).catch(async () => {
        throw new Error(`the status of ${name} reads "${await status(name).textContent()}", expected ${pattern}`);
      });
    };
    // An event by name, or a "message" event whose text holds `inner`.
    const expectEvent = async (name, inner) => {
      const entries = page.locator(`[data-event-log] li[data-event="${name}"]`);
      await (inner ? entries.filter({ hasText: inner }) : entries).first().waitFor()
        .catch(() => { throw new Error(`no "${name}"${inner ? ` with ${inner}` : ''} in the event log`); });
    };
    const click = (action) => page.locator(`[data-action="${action}"]`).click();
    const currentWindow = () => page.locator('.window.current');
    // Drags across the current view from and to fractions of its size.
    const drag = async ([x1, y1], [x2, y2]) => {
      const box = await currentWindow().boundingBox();
      await page.mouse.move(box.x + box.width * x1, box.y + box.height * y1);
      await page.mouse.down();
      await page.mouse.move(box.x + box.width * x2, box.y + box.height * y2, { steps: 5 });
      await page.mouse.up();
    };

    await step('a page from another origin is refused', async () => {
      const foreignPort = await freePort();
      foreign = await startForeignPage(foreignPort, port);
      const other = await context.newPage();
      await other.goto(`http://127.0.0.1:${foreignPort}/`);
      await other.waitForFunction(() => document.title !== 'pending', null, { timeout: STEP_MS });
      const title = await other.title();
      await other.close();
      if (title !== 'refused') throw new Error(`the foreign page's WebSocket was ${title}`);
    });

    await step('the page opens and connects', async () => {
      await page.goto(`http://127.0.0.1:${port}/`);
      await expectStatus('connection', /connected/);
    });

    await step('open the session', async () => {
      await click('open-session');
      await expectStatus('session.open', /methods published, view created/);
      await page.locator('[data-view="0"]').waitFor();
      const methods = await page.locator('[data-console-method] option').count();
      if (methods < 20) throw new Error(`the call console lists ${methods} methods`);
    });

    await step('log in', async () => {
      await click('login');
      await expectStatus('LoginDeviceEx', /^logged in$/);
      await page.locator('[data-logged-in="true"]').waitFor();
    });

    await step('connect live video', async () => {
      await click('connect-video');
      await expectStatus('connect-video', /playing/);
      await expectEvent('StateChanged');
      await page.locator('.window.current.playing[data-view="0"]').waitFor()
        .catch(() => { throw new Error('view 1 does not show its player'); });
    });

    await step('split into 4', async () => {
      await click('split-4');
      await expectStatus('SetVideoWndNum', /split into 4/);
      await page.waitForFunction(() => document.querySelectorAll('[data-view-grid] .window').length === 4, null, { timeout: STEP_MS })
        .catch(() => { throw new Error('the view area does not show 4 windows'); });
      if (!(await page.locator('[data-view="0"].playing').count())) throw new Error('view 1 lost its player');
    });

    await step('take a snapshot', async () => {
      await click('snapshot');
      await expectStatus('snapshot', /picture saved/);
      await expectEvent('message', '"CatchPicture"');
    });

    await step('download by time to 100 %', async () => {
      await click('download-time');
      await expectStatus('download-time', /download started/);
      await page.locator('progress[data-progress="100"]').waitFor({ timeout: STEP_MS })
        .catch(async () => {
          const now = await page.locator('progress').getAttribute('data-progress');
          throw new Error(`the progress bar stopped at ${now}`);
        });
      await expectStatus('GetPlaybackMsg', /download finished/);
    });

    await step('draw a rectangle shape', async () => {
      await click('analysis-on');
      await expectStatus('EnableVideoAnalyseModule', /enabled/);
      await page.locator('[data-tool="rect"]').click();
      await drag([0.2, 0.25], [0.6, 0.7]);
      await expectStatus('CreateMainVideoAnalyseShape', /shape #\d+ created/);
      await expectEvent('VideoAnalyzeConfig');
      await page.locator('.window.current [data-shape-type="Rect"] rect').waitFor()
        .catch(() => { throw new Error('the current view does not draw the rectangle'); });
      await page.locator('[data-action="read-back"]').click();
      await expectStatus('shape', /configuration read/);
      const config = JSON.parse(await page.locator('[data-config]').textContent());
      if (!Array.isArray(config.Rect)) throw new Error(`the read-back has no "Rect": ${JSON.stringify(config)}`);
    });

    await step('drag a clip region', async () => {
      await page.locator('[data-tool="clip"]').click();
      await drag([0.55, 0.1], [0.9, 0.45]);
      await expectStatus('RegionClip', /clip region set/);
      await page.locator('.window.current [data-clip]').waitFor()
        .catch(() => { throw new Error('the current view does not draw the clip region'); });
      await page.locator('[data-tool="none"]').click();
    });

    current = 'save the screenshot';
    await page.screenshot({ path: screenshot, fullPage: true });
    console.log(`screenshot: ${screenshot}`);
  } catch (error) {
    console.error(`FAILED at step "${current}": ${error.message}`);
    if (page) {
      const failed = screenshot.replace(/\.png$/, '-failed.png');
      await page.screenshot({ path: failed, fullPage: true }).catch(() => {});
      console.error(`screenshot of the failure: ${failed}`);
    }
    process.exitCode = 1;
  } finally {
    clearTimeout(timer);
    if (context) await context.close().catch(() => {});
    if (foreign) foreign.close();
    launcher.kill('SIGTERM');
    await Promise.race([new Promise((resolve) => launcher.once('exit', resolve)), sleep(5000)]);
    if (launcher.exitCode === null && launcher.signalCode === null) launcher.kill('SIGKILL');
    rmSync(work, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(`FAILED: ${error.message}`);
  process.exit(1);
});
