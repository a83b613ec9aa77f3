'use strict';
// What the browser test does to the game's page: keys and a pad pushed, the live scene waited
// for, the canvas looked at, the frame rate measured and the stored files read; and its checks
// counted.
const fs = require('fs');

// Scene numbers, as game/creator.h gives them.
const SCENE = { POWERON: 0, TITLE: 1, GAME: 2, EDIT: 3, SET: 4, REPSAVE: 7, REPSELECT: 8, RANKING: 9, NAMING: 10, KAIWA: 11 };
const ROOT = '/home/web_user/.local/share/zentaku';
const NAME = 'WEB';

const counts = { passed: 0, failed: 0 };
function check(ok, what) {
  if (ok) counts.passed += 1;
  else counts.failed += 1;
  console.log(`browser: ${ok ? 'ok  ' : 'FAIL'} ${what}`);
  return ok;
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The live scene's number; -1 until the game runs.
function scene(page) {
  return page.evaluate(() => {
    try {
      return Module.calledRun ? Module._zt_web_scene() : -1;
    } catch (e) {
      return -1;
    }
  });
}

async function press(page, key, ms = 70) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
  await sleep(ms);
}

// A pad as the browser's Gamepad API shows it, in the standard layout, worked from the test.
function fakePad() {
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  const pad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0], buttons, timestamp: 1 };
  navigator.getGamepads = () => [pad];
  window.zentakuTestPad = (button, down) => {
    buttons[button].pressed = down;
    buttons[button].value = down ? 1 : 0;
    pad.timestamp += 1;
  };
}

async function pushPad(page, button) {
  await page.evaluate((b) => window.zentakuTestPad(b, true), button);
  await sleep(70);
  await page.evaluate((b) => window.zentakuTestPad(b, false), button);
  await sleep(70);
}

function audioState(page) {
  return page.evaluate(() => {
    const ctx = Module.SDL2 && Module.SDL2.audioContext;
    return ctx ? ctx.state : 'none';
  });
}

// The title's developer menu: Z pushed while C and V are held.
async function developerMenu(page) {
  await page.keyboard.down('c');
  await page.keyboard.down('v');
  await press(page, 'z');
  await page.keyboard.up('v');
  await page.keyboard.up('c');
  await sleep(200);
}

// Waits for the scene, pressing `key` meanwhile when one is given; false after `limit` ms.
async function reach(page, wanted, key, limit) {
  const end = Date.now() + limit;
  while (Date.now() < end) {
    if ((await scene(page)) === wanted) return true;
    if (typeof key === 'number') await pushPad(page, key);
    else if (key) await press(page, key);
    else await sleep(20);
  }
  return (await scene(page)) === wanted;
}

// The canvas as the player sees it: a PNG of the element, and its pixels read back through an
// image in the page.
async function picture(page, file) {
  const canvas = await page.$('#canvas');
  const png = await canvas.screenshot({ type: 'png' });
  fs.writeFileSync(file, png);
  return page.evaluate(async (data) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.width;
    c.height = img.height;
    const g = c.getContext('2d');
    g.drawImage(img, 0, 0);
    const px = g.getImageData(0, 0, c.width, c.height).data;
    const counts = new Map();
    let dark = 0;
    for (let i = 0; i < px.length; i += 4) {
      const rgb = (px[i] << 16) | (px[i + 1] << 8) | px[i + 2];
      counts.set(rgb, (counts.get(rgb) || 0) + 1);
      if (px[i] + px[i + 1] + px[i + 2] < 24) dark += 1;
    }
    const total = px.length / 4;
    let top = 0;
    for (const n of counts.values()) top = Math.max(top, n);
    return { width: c.width, height: c.height, colours: counts.size, top: top / total, dark: dark / total };
  }, png.toString('base64'));
}

// The game's own count each second, and the logic frames a second over the whole time from the
// frames the play recorded.
async function logicRate(page, seconds) {
  const count = () => page.evaluate(() => [performance.now(), Module._zt_web_recorded()]);
  const samples = [];
  const [t0, f0] = await count();
  for (let i = 0; i < seconds; ++i) {
    await sleep(1000);
    samples.push(await page.evaluate(() => Module._zt_web_fps()));
  }
  const [t1, f1] = await count();
  // Once the play is over nothing more is recorded: then the game's own count tells.
  const sorted = [...samples].sort((a, b) => a - b);
  const playing = (await scene(page)) === SCENE.GAME;
  return { samples, rate: playing ? ((f1 - f0) * 1000) / (t1 - t0) : sorted[sorted.length >> 1] };
}

function storedScores(page) {
  return page.evaluate((root) => {
    try {
      return Array.from(FS.readFile(root + '/score.dat'));
    } catch (e) {
      return null;
    }
  }, ROOT);
}

function holdsName(bytes, name) {
  if (!bytes) return false;
  const text = String.fromCharCode(...bytes);
  return text.includes(name + '\0');
}

module.exports = {
  SCENE,
  ROOT,
  NAME,
  counts,
  check,
  sleep,
  scene,
  press,
  fakePad,
  audioState,
  developerMenu,
  reach,
  picture,
  logicRate,
  storedScores,
  holdsName,
};
