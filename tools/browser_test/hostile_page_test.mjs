// Hostile pages in headless chromium: pages served by a second local server
// (another origin), and pages reached under a name that resolves to the
// loopback address (DNS rebinding), try to open the service's WebSocket or
// to load its own page.  Every attempt must be refused; the service's own
// page opening its socket shows that the test can see an opened socket.
import { spawn } from 'node:child_process';
import { mkdtempSync, mkdirSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';

import { CHROMIUM, STEP_MS, chromium, freePort, sleep } from './harness.mjs';

const TOTAL_MS = 60000;
// Names the browser resolves to 127.0.0.1, as a rebinding attacker's would.
const REBIND = 'rebind.test';

const launcherPath = process.argv[process.argv.indexOf('--launcher') + 1];

// A page that tries each WebSocket address in `window.targets` and records
// "opened" or "refused" for each in `window.outcomes`.
const PROBE = `<!doctype html><title>probe</title><script>
  window.outcomes = {};
  window.probe = (targets) => Promise.all(targets.map((url) => new Promise((resolve) => {
    let socket;
    try { socket = new WebSocket(url); } catch (error) { resolve([url, 'refused']); return; }
    socket.onopen = () => { socket.close(); resolve([url, 'opened']); };
    socket.onerror = () => resolve([url, 'refused']);
  }))).then((pairs) => Object.fromEntries(pairs));
</script>`;

function startProbeServer(port) {
  const server = createServer((request, response) => {
    response.writeHead(200, { 'content-type': 'text/html' });
    response.end(PROBE);
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

async function main() {
  const work = mkdtempSync(path.join(tmpdir(), 'hostile-page-test-'));
  const port = await freePort();
  const probePort = await freePort();
  mkdirSync(path.join(work, 'run'), { recursive: true });
  const launcher = spawn(launcherPath, [String(port)], {
    env: { ...process.env, XDG_RUNTIME_DIR: path.join(work, 'run'), FERROWYN_DATA_DIR: path.join(work, 'data') },
    stdio: ['ignore', 'inherit', 'inherit'],
  });
  const timer = setTimeout(() => {
    console.error(`FAILED: the whole test took longer than ${TOTAL_MS} ms`);
    process.exit(1);
  }, TOTAL_MS);
  let context = null;
  let probeServer = null;
  const failures = [];
  try {
    const deadline = Date.now() + STEP_MS;
    for (;;) {
      if (launcher.exitCode !== null) throw new Error(`the launcher exited with ${launcher.exitCode}`);
      const up = await fetch(`http://127.0.0.1:${port}/`).then((r) => r.ok, () => false);
      if (up) break;
      if (Date.now() > deadline) throw new Error('the service did not start');
      await sleep(100);
    }
    probeServer = await startProbeServer(probePort);
    context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
      executablePath: CHROMIUM,
      headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run', `--host-resolver-rules=MAP ${REBIND} 127.0.0.1`],
    });
    context.setDefaultTimeout(STEP_MS);
    const page = context.pages()[0] || (await context.newPage());
    const socketTargets = [
      `ws://127.0.0.1:${port}/plugin`,
      `ws://localhost:${port}/plugin`,
      `ws://${REBIND}:${port}/plugin`,
    ];
    const expect = (what, got, wanted) => {
      console.log(`${got === wanted ? 'ok' : 'FAILED'} - ${what}: ${got}`);
      if (got !== wanted) failures.push(what);
    };
    const probeFrom = async (origin) => {
      await page.goto(`${origin}/`);
      await page.setContent(PROBE);
      return page.evaluate((targets) => window.probe(targets), socketTargets);
    };

    // Another origin on loopback, and the same server under the rebinding name.
    for (const origin of [`http://127.0.0.1:${probePort}`, `http://localhost:${probePort}`,
      `http://${REBIND}:${probePort}`]) {
      const outcomes = await probeFrom(origin);
      for (const target of socketTargets) expect(`${target} from ${origin}`, outcomes[target], 'refused');
    }
    // The service's own page under the rebinding name is not served at all.
    const rebound = await page.goto(`http://${REBIND}:${port}/`);
    expect(`the page at http://${REBIND}:${port}/`, rebound.status(), 403);
    // Its own page on 127.0.0.1 opens the socket there and nowhere else.
    const own = await probeFrom(`http://127.0.0.1:${port}`);
    expect(`ws://127.0.0.1:${port}/plugin from its own page`, own[socketTargets[0]], 'opened');
    expect(`ws://${REBIND}:${port}/plugin from its own page`, own[socketTargets[2]], 'refused');
  } catch (error) {
    failures.push(error.message);
    console.error(`FAILED: ${error.message}`);
  } finally {
    clearTimeout(timer);
    if (context) await context.close().catch(() => {});
    if (probeServer) probeServer.close();
    launcher.kill('SIGTERM');
    await new Promise((resolve) => (launcher.exitCode !== null ? resolve() : launcher.once('exit', resolve)));
    rmSync(work, { recursive: true, force: true });
  }
  process.exit(failures.length === 0 ? 0 : 1);
}

main();
