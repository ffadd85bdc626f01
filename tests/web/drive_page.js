// Drives the show's page in headless Chromium for test_web_page.py: the cells
// read back on the virtual clock, then the live show on the audio clock, its
// sync bytes, step times, requests and a screenshot, written out as JSON.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [url, outPath, screenshotPath, probeList, liveSeconds] = process.argv.slice(2);
const PROBE_FPS = 30;

async function waitFor(page, expression, seconds) {
  await page.waitForFunction(expression, { timeout: seconds * 1000, polling: 100 });
}

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'korvel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    protocolTimeout: 600000,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--window-size=1280,800'],
  });
  const result = { requests: [], errors: [], probes: {} };
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 800 });
    page.on('request', (request) => result.requests.push(request.url()));
    page.on('pageerror', (error) => result.errors.push(String(error)));
    await page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
    await page.goto(url + '?test', { waitUntil: 'load' });
    await waitFor(page, 'window.korvelTest && korvelTest.ready()', 120);
    result.gentleAtLoad = await page.evaluate(() => korvelTest.gentle());
    for (const seconds of probeList.split(',')) {
      const ms = Math.round(parseFloat(seconds) * 1000);
      result.probes[seconds] = await page.evaluate((ms, fps) => korvelTest.probe(ms, fps), ms, PROBE_FPS);
    }
    await page.click('#play');
    await waitFor(page, 'korvelTest.running() && korvelTest.heardMs() > 0', 30);
    result.audioState = await page.evaluate(() => korvelTest.audioState());
    await waitFor(page, `korvelTest.heardMs() > ${parseFloat(liveSeconds) * 1000}`, parseFloat(liveSeconds) * 3);
    await page.screenshot({ path: screenshotPath });
    result.heardMs = await page.evaluate(() => korvelTest.heardMs());
    result.syncs = await page.evaluate(() => korvelTest.syncLog());
    result.stepMs = await page.evaluate(() => korvelTest.stepMs());
    await page.keyboard.press('Escape');
    await waitFor(page, '!korvelTest.running()', 10);
    result.closingShown = await page.evaluate(() => !document.getElementById('closing').hidden);
    await page.select('#look', 'blocks');
    await page.click('#again');
    await waitFor(page, 'korvelTest.running() && korvelTest.heardMs() > 1000', 30);
    result.playedAgain = await page.evaluate(() => korvelTest.syncLog().length > 0);
    result.blockPictureSize = await page.evaluate(() => korvelTest.pictureSize());
    await page.keyboard.press('Escape');
    await waitFor(page, '!korvelTest.running()', 10);
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  fs.writeFileSync(outPath, JSON.stringify(result));
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
