// A student takes an uploaded exam on a phone-sized headless Chromium: `qzm serve` on a free
// port of 127.0.0.1, the exam uploaded as a form, then every question type answered in
// learning mode (right and wrong shown after each answer) and again in exam mode (only the
// score at the end). Debian's Chromium is driven by playwright-core from tools/browser-test.
//   node take_exam_in_browser.mjs QZM EXAM.qzm
//   node take_exam_in_browser.mjs --server URL    a running server that holds the example
//                                                 exam already (tests/server/upload_from_wine)
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [first, second] = process.argv.slice(2);
const givenServer = first === '--server' ? second : null;
const require = createRequire(new URL('../../tools/browser-test/package.json', import.meta.url));
let chromium;
try {
  ({ chromium } = require('playwright-core'));
} catch {
  console.error('playwright-core is missing: run scripts/bootstrap (npm ci in tools/browser-test)');
  process.exit(1);
}

const folder = mkdtempSync(join(tmpdir(), 'qzm-browser-'));
const server = givenServer ? null : spawn(first, ['serve', '--port', '0', '--dir', join(folder, 'exams')],
                                          { stdio: ['ignore', 'inherit', 'pipe'] });
let browser;
try {
  const base = givenServer || await new Promise((resolve, reject) => {
    let log = '';
    server.stderr.on('data', (data) => {
      log += data;
      const found = /at (http:\/\/127\.0\.0\.1:\d+)\//.exec(log);
      if (found) resolve(found[1]);
    });
    server.on('exit', (code) => reject(new Error(`qzm serve ended (${code}): ${log}`)));
  });

  if (!givenServer) {
    const form = new FormData();
    form.append('upload', new Blob([readFileSync(second)], { type: 'text/xml' }),
                'C:\\Exams\\general_knowledge.qzm');
    for (const field of ['Title', 'Author', 'Mail', 'Web', 'Description']) form.append(field, '');
    const stored = await fetch(`${base}/upload`, { method: 'POST', body: form });
    assert.equal(stored.status, 200, await stored.text());
  }

  browser = await chromium.launch({
    executablePath: process.env.QZM_CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  const context = await browser.newContext({
    viewport: { width: 360, height: 740 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
  });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('request', (request) => {
    if (!request.url().startsWith(base)) problems.push(`fetched from elsewhere: ${request.url()}`);
  });

  await page.goto(`${base}/`);
  await page.getByText('General knowledge').tap();
  await page.waitForURL(/\/exam\/[A-Za-z0-9_-]+$/);

  const noSideways = async () => assert.ok(
      await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth),
      'the page is wider than the phone');
  const pick = (text) => page.locator('label.choice')
      .filter({ hasText: new RegExp(`^${text}$`) }).tap();
  const button = (name) => page.getByRole('button', { name, exact: true });
  const feedback = () => page.locator('.feedback').textContent();
  const turnCard = async (front, back) => {
    assert.equal(await page.locator('.card').textContent(), front);
    await page.locator('.card').tap();
    assert.equal(await page.locator('.card').textContent(), back);
  };

  // Learning: the student chooses it at the start, as the exam leaves the mode open.
  await noSideways();
  await button('Learning').tap();
  await pick('Jupiter');
  await button('Check').tap();
  assert.equal(await feedback(), 'Right!');
  await noSideways();
  await button('Next').tap();
  await pick('2');
  await pick('9');
  await button('Check').tap();
  assert.equal(await feedback(), 'Wrong.');
  assert.equal(await page.locator('label.choice.right').count(), 2);
  await button('Next').tap();
  await pick('Athens');
  await button('Check').tap();
  assert.equal(await feedback(), 'Right!');
  await button('Next').tap();
  assert.equal(await button('Check').isDisabled(), true, 'Check before any answer');
  for (const animal of ['Dolphin', 'Bat']) await pick(animal);
  await button('Check').tap();
  await button('Next').tap();
  await turnCard('Chemical symbol of gold', 'Au');
  await button('Next').tap();
  await button('Back').tap();
  assert.equal(await page.locator('.card').textContent(), 'Au', 'the card stays turned');
  await button('Next').tap();
  await turnCard('Who wrote "Don Quixote"?', 'Miguel de Cervantes');
  await button('Finish').tap();
  const score = page.locator('#score');
  assert.equal(await score.textContent(), 'Score: 3 of 4');
  assert.equal(await page.locator('.review > li').count(), 6);
  await noSideways();

  // Exam mode: nothing is told before the end.
  await button('Start again').tap();
  await button('Exam').tap();
  for (const answers of [['Jupiter'], ['2', '13'], ['Athens'], ['Dolphin', 'Bat']]) {
    for (const answer of answers) await pick(answer);
    assert.equal(await page.locator('.feedback').count(), 0);
    await button('Next').tap();
  }
  await button('Next').tap();
  await button('Finish').tap();
  assert.equal(await score.textContent(), 'Score: 4 of 4');

  assert.deepEqual(problems, []);
  console.log('browser test passed: learning 3 of 4, exam 4 of 4');
} finally {
  if (browser) await browser.close();
  if (server) {
    server.kill('SIGINT');
    await new Promise((resolve) => server.exitCode !== null ? resolve() : server.on('exit', resolve));
  }
  rmSync(folder, { recursive: true, force: true });
}
