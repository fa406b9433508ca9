// What both browser tests share: the project root, playwright-core from the
// project's own package.json, Debian's chromium, and small waiting helpers.
import { createRequire } from 'node:module';
import { createServer as createNetServer } from 'node:net';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const { chromium } = createRequire(path.join(root, 'package.json'))('playwright-core');
export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
// The longest a single step may wait.
export const STEP_MS = 10000;

// A port on 127.0.0.1 that nothing listens on right now.
export function freePort() {
  return new Promise((resolve, reject) => {
    const server = createNetServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
