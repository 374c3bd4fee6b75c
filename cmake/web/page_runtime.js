// The library's part of every page, run before the program: the page's
// settings, the game's saved files, and reports the player can read.
// Emscripten places this in front of the program's own JavaScript, inside
// its scope (Module, FS, IDBFS and ENV are the program's).

// VANTREL_* (and SDL_*) settings from the page's address, e.g.
// page.html?VANTREL_SCALE_FILTER=linear, become environment variables
// before main, as a native game reads them.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  // A program that never reads its environment has none.
  if (typeof location === 'undefined' || typeof ENV === 'undefined')
    return;
  new URLSearchParams(location.search).forEach(function(value, name) {
    if (/^(VANTREL|SDL)_/.test(name))
      ENV[name] = value;
  });
});

// The program's command line from the page's address: each arg=... is one
// argument, in order (page.html?arg=--frames&arg=300).
if (typeof location !== 'undefined') {
  var vantrelArguments = new URLSearchParams(location.search).getAll('arg');
  if (vantrelArguments.length)
    Module['arguments'] = vantrelArguments;
}

// Files the game writes are kept in the browser's storage (IndexedDB) and
// put back where they were before main on the next visit: settings,
// calibration files, anything under the Windows folder.  Every file closed
// after writing, renamed or deleted is copied to (or dropped from) the
// storage folder, which is saved to IndexedDB at once.  The game's data
// come with the page and are not stored.
(function() {
  var storage = '/vantrel-storage';
  var skipped = /^\/(dev|proc|tmp|vantrel-storage|vantrel\/fonts)(\/|$)/;
  var ready = false;
  var saving = false, queued = false, changed = false;

  // The storage answers a save later, after the save has listed the files
  // to store and before it reads them, and the program may meanwhile have
  // removed one (a file written beside the old one and renamed over it, as
  // settings and the registry are): that save fails.  So a save starts at
  // the program's next turn, taking every change of the stretch it ran
  // together, and a save during which files changed is followed by another,
  // which supersedes its failure.
  function save() {
    changed = true;
    if (!saving && !queued) {
      queued = true;
      setTimeout(sync, 0);
    }
  }
  function sync() {
    queued = false;
    saving = true;
    changed = false;
    FS.syncfs(false, function(error) {
      saving = false;
      if (changed) {
        queued = true;
        setTimeout(sync, 0);
      } else if (error) {
        err('vantrel: the browser did not save the game\'s files: ' + error);
      }
    });
  }
  function makeParents(path) {
    var parts = path.split('/').slice(1, -1), at = '';
    parts.forEach(function(part) {
      at += '/' + part;
      try { FS.mkdir(at); } catch (e) { /* already there */ }
    });
  }
  function keep(path) {
    if (!ready || !path || skipped.test(path))
      return false;
    var stat;
    try { stat = FS.stat(path); } catch (e) { return false; }
    if (!FS.isFile(stat.mode))
      return false;
    makeParents(storage + path);
    FS.writeFile(storage + path, FS.readFile(path));
    return true;
  }
  function drop(path) {
    if (!ready || !path || skipped.test(path))
      return false;
    try { FS.unlink(storage + path); return true; } catch (e) { return false; }
  }
  // Puts every stored file back in its place.
  function restore(folder) {
    FS.readdir(folder).forEach(function(name) {
      if (name === '.' || name === '..')
        return;
      var path = folder + '/' + name;
      var original = path.substr(storage.length);
      if (FS.isDir(FS.stat(path).mode)) {
        restore(path);
        return;
      }
      makeParents(original);
      FS.writeFile(original, FS.readFile(path));
    });
  }

  Module['preRun'].push(function() {
    if (typeof IDBFS === 'undefined' || typeof indexedDB === 'undefined')
      return;
    FS.mkdir(storage);
    FS.mount(IDBFS, {}, storage);
    // The game waits for its saved files, but not for ever: a browser whose
    // storage does not answer (chromium's headless screenshot mode never
    // does) starts the game without them after loadTimeout.  Files are kept
    // from the moment the storage answers, late or not, so that a save never
    // replaces what was stored with less; a late answer restores nothing, as
    // the game may have read or written those files meanwhile.
    var loadTimeout = 2000; // ms
    var waiting = true, loaded = false;
    addRunDependency('vantrel-storage');
    function start() {
      if (!waiting)
        return;
      waiting = false;
      removeRunDependency('vantrel-storage');
    }
    var timer = setTimeout(function() {
      if (waiting)
        err('vantrel: the browser\'s storage did not answer in ' + loadTimeout +
            ' ms; the game starts without its saved files');
      start();
    }, loadTimeout);
    FS.syncfs(true, function(error) {
      clearTimeout(timer);
      if (error)
        err('vantrel: the browser gave back no saved files: ' + error);
      loaded = !error;
      if (waiting) {
        start();
      } else if (loaded) {
        ready = true;
      }
    });
    // After the page's own data are in place, so that a saved file wins
    // over the one the page brings.
    addOnPreMain(function() {
      if (!loaded)
        return;
      restore(storage);
      ready = true;
    });
    var close = FS.close, rename = FS.rename, unlink = FS.unlink;
    FS.close = function(stream) {
      var written = (stream.flags & 3) !== 0; // O_WRONLY or O_RDWR
      var result = close.apply(this, arguments);
      if (written && keep(stream.path))
        save();
      return result;
    };
    FS.rename = function(from, to) {
      var result = rename.apply(this, arguments);
      var dropped = drop(PATH_FS.resolve(from));
      if (keep(PATH_FS.resolve(to)) || dropped)
        save();
      return result;
    };
    FS.unlink = function(path) {
      var result = unlink.apply(this, arguments);
      if (drop(PATH_FS.resolve(path)))
        save();
      return result;
    };
  });
})();

// The program's end.  A program that waits gives the browser its turn by
// returning from main at its first wait (ASYNCIFY); its real end comes in a
// later turn, where the runtime hands main's result to the handlers it
// keeps for an export that waited: this sets them for main.  An end with a
// code other than 0 (a return from main or a call to exit) is shown on the
// page with the last six lines the program wrote to standard error (blank
// ones left out), which is where a game says why it stopped (its data
// missing, say).  The code is Module.vantrelExitCode.
(function() {
  var said = [];
  var printErr = Module['printErr'];
  Module['printErr'] = function(text) {
    if (/\S/.test(text))
      said.push(text.replace(/\s+$/, ''));
    if (said.length > 6)
      said.shift();
    if (printErr)
      printErr(text);
    else
      console.warn(text);
  };
  function ended(code) {
    Module['vantrelExitCode'] = code;
    if (code !== 0 && typeof vantrelPageFailed === 'function')
      vantrelPageFailed(said.length ? said.join('\n') : 'it ended with code ' + code);
  }
  Module['postRun'] = Module['postRun'] || [];
  Module['postRun'].push(function() {
    if (typeof Asyncify === 'undefined' || !Asyncify.currData) {
      ended(EXITSTATUS | 0); // main returned without waiting
      return;
    }
    Asyncify.asyncPromiseHandlers = {
      resolve: function(code) { ended(code | 0); },
      reject: function(e) {
        if (e instanceof ExitStatus) {
          ended(e.status | 0);
          return;
        }
        err('vantrel: ' + e);
        if (typeof vantrelPageFailed === 'function')
          vantrelPageFailed(String(e));
      },
    };
  });
})();

// What stops the page (a .wasm or data file that does not load, an abort)
// is shown on the page as well as on the console.
Module['onAbort'] = function(what) {
  if (typeof vantrelPageFailed === 'function')
    vantrelPageFailed(String(what));
};

// The program is built with WebAssembly's SIMD, and a browser without it
// cannot compile any part of a module that has SIMD in it.  The library's
// page loads the program's plain twin in such a browser where there is one
// (shell.html); otherwise the browser is told so on the page before the
// .wasm is fetched, instead of failing in the compiler.  The probe is the smallest module that uses a SIMD
// instruction (i8x16.splat and i8x16.popcnt).
(function() {
  if (typeof WebAssembly === 'undefined' || typeof location === 'undefined' || Module['vantrelPlainProgram'])
    return;
  var probe = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 10, 1, 8, 0,
                              65, 0, 253, 15, 253, 98, 11]);
  if (WebAssembly.validate(probe))
    return;
  Module['instantiateWasm'] = function() {
    var what = 'this browser has no WebAssembly SIMD, which the game is built with ' +
               '(Chrome 91, Firefox 89, Safari 16.4 and later have it)';
    err('vantrel: ' + what);
    if (typeof vantrelPageFailed === 'function')
      vantrelPageFailed(what);
    return {}; // never instantiated: the program does not start
  };
})();
