// The page's glue, run before the game starts: the player's files in the browser's storage, the
// rate of the frame callbacks, and the replays to and from the disk.
var zentakuRoot = '/home/web_user/.local/share/zentaku';

Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  // The player's root lives in IndexedDB: read it back before the game looks for its files.
  FS.mkdirTree(zentakuRoot);
  FS.mount(IDBFS, {}, zentakuRoot);
  addRunDependency('zentaku-storage');
  FS.syncfs(true, function (err) {
    if (err) console.error('zentaku: the stored files could not be read', err);
    removeRunDependency('zentaku-storage');
  });
});

// Writes the files through to IndexedDB; resolves to 1 once they are stored, 0 on failure.
Module.zentakuPersist = function () {
  return new Promise(function (resolve) {
    FS.syncfs(false, function (err) {
      if (err) console.error('zentaku: the files could not be stored', err);
      resolve(err ? 0 : 1);
    });
  });
};

// The display's rate, as the frame callbacks come: the median of the last second's intervals.
(function () {
  if (typeof requestAnimationFrame !== 'function') return;
  var times = [];
  function tick(t) {
    times.push(t);
    if (times.length > 61) times.shift();
    requestAnimationFrame(tick);
  }
  requestAnimationFrame(tick);
  Module.zentakuFrameRate = function () {
    if (times.length < 11) return 0;
    var gaps = [];
    for (var i = 1; i < times.length; ++i) gaps.push(times[i] - times[i - 1]);
    gaps.sort(function (a, b) { return a - b; });
    var median = gaps[gaps.length >> 1];
    return median > 0 ? 1000 / median : 0;
  };
})();

// The saved replays, newest name last.
Module.zentakuReplays = function () {
  try {
    return FS.readdir(zentakuRoot + '/rep').filter(function (n) { return /\.rep$/.test(n); }).sort();
  } catch (e) {
    return [];
  }
};

Module.zentakuReadReplay = function (name) {
  return FS.readFile(zentakuRoot + '/rep/' + name);
};

// Puts a replay from the disk into the list under a name of its own (never over another one)
// and stores it; resolves to the name it got, or null when it could not be stored.
Module.zentakuAddReplay = function (name, bytes) {
  var base = name.replace(/[^A-Za-z0-9_.-]/g, '_').replace(/\.rep$/i, '') || 'replay';
  var dir = zentakuRoot + '/rep/';
  var pick = base + '.rep';
  for (var n = 2; FS.analyzePath(dir + pick).exists; ++n) pick = base + '-' + n + '.rep';
  FS.writeFile(dir + pick, bytes);
  return Module.zentakuPersist().then(function (ok) { return ok ? pick : null; });
};
