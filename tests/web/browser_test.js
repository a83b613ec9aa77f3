'use strict';
// The browser game played in headless chromium: power-on, title, the first conversation and a
// field reached with key presses; a look at the field's picture; a few hundred frames of play at
// the frame rate the page holds; the play ended and a hi-score entered by name; the page reloaded
// and the score still in the browser's storage; both editors opened and a saved replay watched.
// Prints one line per check and the counts.
//
// usage: node browser_test.js URL BROWSER OUT_DIR
const puppeteer = require('puppeteer-core');
const fs = require('fs');
const os = require('os');
const path = require('path');
// The page's helpers, and the checks' counts.
const {
  SCENE, ROOT, NAME, counts, check, sleep, scene, press,
  fakePad, audioState, developerMenu, reach, picture, logicRate, storedScores, holdsName,
} = require('./page');

const [url, browserPath, outDir] = process.argv.slice(2);
if (!url || !browserPath || !outDir) {
  console.error('usage: node browser_test.js URL BROWSER OUT_DIR');
  process.exit(3);
}

// The page up to the title, its sound woken by the first key, and a score table with room in it.
async function startWithRoom(page) {
  await page.evaluateOnNewDocument(fakePad);
  const loadStart = Date.now();
  await page.goto(url, { waitUntil: 'load' });
  check(await reach(page, SCENE.POWERON, null, 20000), 'the game starts in the page (power-on)');
  const toPowerOn = Date.now() - loadStart;
  check(await reach(page, SCENE.TITLE, 0, 10000), "the pad's A button leads to the title");
  const toTitle = Date.now() - loadStart;
  console.log(`browser: page load to power-on ${toPowerOn} ms, to the title ${toTitle} ms`);
  // This browser lets a page sound at once; a browser that does not starts the context
  // suspended, as it is made here: the first key press must bring it back.
  await page.evaluate(() => Module.SDL2.audioContext.suspend());
  await sleep(300);
  const silent = await audioState(page);
  await page.focus('#canvas');
  await press(page, 'Shift');
  await sleep(200);
  const sounding = await audioState(page);
  check(silent !== 'running' && sounding === 'running', `sound starts at the first key press (${silent}, then ${sounding})`);

  // The stock table asks more of a play than key presses make: start from a table with room
  // (a score.dat with no entries yet), stored as the game stores its own files.
  const seeded = await page.evaluate((root) => {
    FS.writeFile(root + '/score.dat', new Uint8Array(0));
    return Module.zentakuPersist();
  }, ROOT);
  check(seeded === 1, 'a score table with room is stored in the browser');
  await page.reload({ waitUntil: 'load' });
  check(await reach(page, SCENE.POWERON, null, 20000), 'the game starts again on it');
  await page.focus('#canvas');
  check(await reach(page, SCENE.TITLE, 'z', 10000), 'back at the title');
}

// From the title through the conversation to a field, played for a while and looked at.
async function playAField(page) {
  check(await reach(page, SCENE.KAIWA, 'z', 20000), 'the title menu starts a play (conversation)');
  check(await reach(page, SCENE.GAME, 'z', 60000), 'the conversation leads to a field');

  // A few hundred frames of play: firing, moving about.
  await page.keyboard.down('z');
  const moves = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.down(moves[i]);
    await sleep(700);
    await page.keyboard.up(moves[i]);
  }
  // A machine busy with other work can hold the page back for a while: the best of three
  // windows counts.
  let rate = await logicRate(page, 5);
  for (let i = 0; i < 2 && Math.abs(rate.rate - 60) >= 1; ++i) {
    console.log(`browser: ${rate.rate.toFixed(2)} logic frames a second; measuring again`);
    rate = await logicRate(page, 5);
  }
  await page.keyboard.up('z');
  const fieldShot = path.join(outDir, 'field.png');
  const look = await picture(page, fieldShot);
  check(look.width === 640 && look.height === 480, `the field's picture is 640x480 (${look.width}x${look.height})`);
  check(
    look.colours >= 24 && look.top < 0.7 && look.dark < 0.7,
    `the field is drawn: ${look.colours} colours, the commonest ${(look.top * 100).toFixed(0)}%, ` +
      `dark ${(look.dark * 100).toFixed(0)}% (${fieldShot})`,
  );
  console.log(`browser: the game's frame counter each second: ${rate.samples.join(' ')}`);
  check(
    Math.abs(rate.rate - 60) < 1,
    `the page holds 60 logic frames a second (${rate.rate.toFixed(2)} over five seconds)`,
  );
}

// Losing the focus pauses the play; P goes on with it.
async function pauseOnFocusLoss(page) {
  const recorded = () => page.evaluate(() => Module._zt_web_recorded());
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  await sleep(300);
  const held = await recorded();
  await sleep(1000);
  const stillHeld = (await recorded()) === held;
  await picture(page, path.join(outDir, 'paused.png'));
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await press(page, 'p');
  await sleep(500);
  check(stillHeld && (await recorded()) > held, 'losing the focus pauses the play, P resumes it');
}

// The play ends (the give-up button, as often as it takes) and the score is entered.
async function endAndEnterName(page) {
  const end = Date.now() + 120000;
  let s;
  while (Date.now() < end) {
    s = await scene(page);
    if (s === SCENE.NAMING || s === SCENE.RANKING) break;
    if (s === SCENE.GAME) {
      await page.keyboard.down('z');
      await press(page, 'c');
      await page.keyboard.up('z');
    } else {
      await press(page, 'z');
    }
  }
  if (check(s === SCENE.NAMING, 'the ended play asks for a name')) {
    // W from A, then E and B going back, then back over A to the end mark.
    for (let i = 0; i < 22; ++i) await press(page, 'ArrowRight');
    await press(page, 'z');
    for (let i = 0; i < 18; ++i) await press(page, 'ArrowLeft');
    await press(page, 'z');
    for (let i = 0; i < 3; ++i) await press(page, 'ArrowLeft');
    await press(page, 'z');
    for (let i = 0; i < 2; ++i) await press(page, 'ArrowLeft');
    await press(page, 'z');
    check(await reach(page, SCENE.REPSAVE, null, 10000), 'the name is taken, the replay save follows');
    await picture(page, path.join(outDir, 'replay-save.png'));
    // The table was stored before the scene moved on from the name.
    check(holdsName(await storedScores(page), NAME), `score.dat holds ${NAME}`);
    // Save the replay: the first line of the scene. The scene says so once the file is
    // stored, and then goes back to the title.
    await press(page, 'z');
    const listed = Date.now() + 10000;
    while (Date.now() < listed && (await page.evaluate(() => Module.zentakuReplays().length)) === 0)
      await sleep(50);
    await picture(page, path.join(outDir, 'replay-saved.png'));
    check(await reach(page, SCENE.TITLE, null, 10000), 'the replay is saved, the title follows');
  }
}

// After a reload: the score and the replay kept, the replay downloaded, the full-screen button.
async function keptAfterReload(page) {
  await page.reload({ waitUntil: 'load' });
  check(await reach(page, SCENE.POWERON, null, 20000), 'the reloaded page starts again');
  const after = await storedScores(page);
  check(holdsName(after, NAME), `after the reload the stored score.dat still holds ${NAME}`);
  const replays = await page.evaluate(() => Module.zentakuReplays());
  check(replays.length >= 1, `after the reload the saved replay is listed (${replays.join(' ')})`);
  // A saved replay downloads as its own file, byte for byte.
  const downloads = path.join(outDir, 'downloads');
  fs.mkdirSync(downloads, { recursive: true });
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#list');
  const first = replays[0];
  await page.evaluate(() => document.querySelector('#replays a').click());
  const got = path.join(downloads, first || 'none');
  const waited = Date.now() + 10000;
  while (Date.now() < waited && !fs.existsSync(got)) await sleep(50);
  await sleep(200);
  const stored = first ? await page.evaluate((root, n) => Array.from(FS.readFile(root + '/rep/' + n)), ROOT, first) : [];
  check(
    fs.existsSync(got) && Buffer.compare(fs.readFileSync(got), Buffer.from(stored)) === 0 && stored.length > 0,
    `"Download a replay" gives ${first} as it is stored (${stored.length} bytes)`,
  );

  // The page's full-screen button.
  await page.click('#full');
  await sleep(300);
  check(await page.evaluate(() => document.fullscreenElement !== null), 'the full-screen button fills the screen');
  await page.evaluate(() => document.exitFullscreen());
  await sleep(300);
}

// A replay opened from the disk joins the list, and stays after a reload.
async function openedReplayAndSetEditor(page) {
  const input = await page.$('#open');
  await input.uploadFile(path.resolve(__dirname, '../replay/data/pilot.rep'));
  const added = Date.now() + 10000;
  while (Date.now() < added && !(await page.evaluate(() => Module.zentakuReplays().includes('pilot.rep'))))
    await sleep(50);
  await sleep(200);
  // The set editor, reached from the title's developer menu: an enemy put down and the set
  // saved; the stored set is the saved one after another reload.
  const sets = () =>
    page.evaluate((root) => {
      const out = {};
      for (const n of FS.readdir(root + '/dat')) if (/\.zts$/.test(n)) out[n] = Array.from(FS.readFile(root + '/dat/' + n)).join(',');
      return out;
    }, ROOT);
  await page.focus('#canvas');
  check(await reach(page, SCENE.TITLE, 'z', 10000), 'the title once more');
  const before = await sets();
  await developerMenu(page);
  check(await reach(page, SCENE.SET, 'z', 5000), 'the developer menu opens the set editor');
  await sleep(300);
  await press(page, 'z'); // an enemy where the cursor is
  await press(page, 'v'); // the editor's menu; its first line saves
  await press(page, 'z');
  await sleep(500);
  await picture(page, path.join(outDir, 'set-editor.png'));
  const saved = await sets();
  const changed = Object.keys(saved).filter((n) => saved[n] !== before[n]);
  check(changed.length === 1, `the editor saved one set (${changed.join(' ')})`);
  await page.reload({ waitUntil: 'load' });
  check(await reach(page, SCENE.POWERON, null, 20000), 'the page starts a third time');
  const storedSets = await sets();
  check(changed.length === 1 && storedSets[changed[0]] === saved[changed[0]], 'the saved set is the stored one');
  check(
    (await page.evaluate(() => Module.zentakuReplays())).includes('pilot.rep'),
    'the replay opened from the disk is still listed',
  );
}

// The map editor, the developer menu's third line.
async function mapEditor(page) {
  await page.focus('#canvas');
  check(await reach(page, SCENE.TITLE, 'z', 10000), 'the title after the third start');
  await developerMenu(page);
  await press(page, 'ArrowDown');
  await press(page, 'ArrowDown');
  await press(page, 'z');
  check(await reach(page, SCENE.EDIT, null, 5000), 'the developer menu opens the map editor');
  await sleep(300);
  await picture(page, path.join(outDir, 'map-editor.png'));
}

// A replay watched from the replay selection: the title menu's third line, then its first
// replay; the fire button ends it.
async function watchAReplay(page) {
  await page.reload({ waitUntil: 'load' });
  check(await reach(page, SCENE.POWERON, null, 20000), 'the page starts a fourth time');
  await page.focus('#canvas');
  check(await reach(page, SCENE.TITLE, 'z', 10000), 'the title after the fourth start');
  await sleep(200);
  await press(page, 'z');
  await sleep(300);
  await press(page, 'ArrowDown');
  await press(page, 'ArrowDown');
  await press(page, 'z');
  check(await reach(page, SCENE.REPSELECT, null, 5000), 'the title menu opens the replay selection');
  await sleep(300);
  await press(page, 'z');
  const watching = await reach(page, SCENE.GAME, null, 20000);
  await sleep(1500);
  check(watching && (await scene(page)) === SCENE.GAME, 'a replay chosen there plays');
  await picture(page, path.join(outDir, 'replay-watched.png'));
}

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zentaku-browser-'));
  const browser = await puppeteer.launch({
    executablePath: browserPath,
    headless: 'shell',
    userDataDir: profile,
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--autoplay-policy=document-user-activation-required'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 720 });
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    page.on('console', (m) => {
      if (m.type() === 'error') errors.push(m.text());
    });
    await startWithRoom(page);
    await playAField(page);
    await pauseOnFocusLoss(page);
    await endAndEnterName(page);
    await keptAfterReload(page);
    await openedReplayAndSetEditor(page);
    await mapEditor(page);
    await watchAReplay(page);
    check(errors.length === 0, `no errors in the page${errors.length ? ': ' + errors.join(' | ') : ''}`);
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main()
  .catch((e) => {
    check(false, `the test ran to its end: ${e.stack || e}`);
  })
  .finally(() => {
    console.log(`browser: ${counts.passed} passed, ${counts.failed} failed`);
    process.exitCode = counts.failed ? 1 : 0;
  });
