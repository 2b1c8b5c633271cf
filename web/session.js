// The page's hold on the core (quopra.js/quopra.wasm): files go into the
// core's file system, the core runs and compares, and what it asks or
// makes comes back through the host the caller gives. Shared by the page
// and the Node tests; a classic script, so that the page works from file://.
(function (exports) {
  "use strict";

  const kRunFolder = "/run";
  const kChosenFolder = "/chosen";
  const kCompareFolder = "/compare";
  const kNotPermitted = 63;  // EPERM in emscripten's file system

  // What the core's calls answer (web/WebEntry.cpp).
  const Answer = { kDone: 0, kFailed: 1, kLoadFailed: 2, kNoCp932Form: 3, kNoDifferences: 4 };
  // qpx_compare's answers: { outcome, noCp932Form }.
  const CompareAnswers = [
    { outcome: "compared" }, { outcome: "firstLoadFailed" }, { outcome: "secondLoadFailed" },
    { outcome: "sizesDiffer" }, { outcome: "firstLoadFailed", noCp932Form: true },
    { outcome: "secondLoadFailed", noCp932Form: true }, { outcome: "outOfMemory" },
  ];

  function baseName(path) {
    return path.split(/[\\/]/).pop();
  }

  function folderOf(path) {
    return path.slice(0, path.lastIndexOf("/")) || "/";
  }

  // A File or Blob as it is; bytes (the Node tests') as a Blob.
  function blobOf(data) {
    return typeof Blob !== "undefined" && data instanceof Blob ? data : new Blob([data]);
  }

  class Session {
    constructor(module) {
      this.module = module;
      this.fs = module.FS;
      this.pieces = null;
      this.turn = Promise.resolve();
      for (const folder of [kRunFolder, kChosenFolder, kCompareFolder]) this.fs.mkdirTree(folder);
    }

    // Puts bytes at path, its folders made as needed; the file system
    // takes the caller's array itself (no copy), which the caller then
    // leaves alone.
    put(path, bytes) {
      this.fs.mkdirTree(folderOf(path));
      this.fs.writeFile(path, bytes, { canOwn: true });
    }

    // Makes path name a file the page holds (a File or a Blob): the core
    // reads it by pieces (platform/Read_web.cpp), nothing of it is copied
    // into the file system, and it takes no writes.
    putPageFile(path, blob) {
      this.remove(path);
      this.put(path, new Uint8Array(0));
      const node = this.fs.lookupPath(path).node;
      node.pageFile = blob;
      node.usedBytes = blob.size;
      node.stream_ops = Object.assign({}, node.stream_ops, {
        write: () => {
          throw new this.fs.ErrnoError(kNotPermitted);
        },
      });
    }

    remove(path) {
      try {
        this.fs.unlink(path);
      } catch (error) {
        // already gone
      }
    }

    // One call that may wait at a time: a run waiting for the user's answer
    // holds the core, and a load or a comparison asked meanwhile waits its
    // turn (a call into the core while another is suspended would run on
    // the state the suspended one left).
    exclusive(work) {
      const turn = this.turn.then(work, work);
      this.turn = turn.catch(() => {});
      return turn;
    }

    // Loads the script (a File or Blob, or bytes), read by pieces: the
    // core keeps it, to list and to run it as it was read. Resolves to
    // nothing, or a failure: "loadFailed" or "noCp932Form".
    load(scriptName, script) {
      return this.exclusive(async () => {
        const scriptPath = kRunFolder + "/" + scriptName;
        this.putPageFile(scriptPath, blobOf(script));
        try {
          const answer = await this.module.ccall("qpx_load", "number", ["string"], [scriptPath],
                                                 { async: true });
          return ["", "", "loadFailed", "noCp932Form"][answer] || null;
        } finally {
          this.remove(scriptPath);
        }
      });
    }

    // The loaded script's sections, as { directive, dialog, argument,
    // body }.
    sections() {
      const sections = [];
      this.module.qpxHost = {
        sectionListed: (directive, dialog, argument, body) =>
          sections.push({ directive, dialog, argument, body }),
      };
      this.module.ccall("qpx_sections", "number", [], []);
      return sections;
    }

    // Runs the loaded script; host answers what the run asks (see the
    // page's host in apply.js): a target as a File or Blob (or bytes), a
    // dialog file as { name, file }; a saved target comes to host.saved as
    // a Blob. Resolves to "done", "failed" or "loadFailed" (none loaded).
    run(host) {
      return this.exclusive(async () => {
        const placed = [];
        this.module.qpxHost = {
          provideTarget: async (path) => {
            // A later section on the same target finds it as the run left it.
            if (placed.includes(path)) return true;
            const file = await host.provideTarget(baseName(path), path);
            if (!file) return false;
            this.putPageFile(path, blobOf(file));
            placed.push(path);
            return true;
          },
          // The saved bytes, out of the core's memory in a Blob, are the
          // target from now on.
          targetSaved: (path, saved) => {
            this.putPageFile(path, saved);
            host.saved(baseName(path), saved);
          },
          registryValue: (path, type, data) => host.registryValue(path, type, data),
          chooseFile: async (title, name, filter) => {
            const chosen = await host.chooseFile(title, name, filter);
            if (!chosen) return "";
            const path = kChosenFolder + "/" + chosen.name;
            this.putPageFile(path, blobOf(chosen.file));
            placed.push(path);
            return path;
          },
          confirm: (question) => host.confirm(question),
          failed: (reason, unit, unitText, registryMissing) =>
            host.failed({ reason, unit, unitText, registryMissing }),
          sectionStarted: (directive, target) => host.sectionStarted(directive, target),
          textPiece: (piece) => this.pieces.push(piece),
        };
        try {
          const answer = await this.module.ccall("qpx_run", "number", [], [], { async: true });
          return ["done", "failed", "loadFailed"][answer];
        } finally {
          for (const path of placed) this.remove(path);
        }
      });
    }

    // Compares two files of equal size, each { name, file }, the file a
    // File or Blob (or bytes), read by pieces: resolves to { outcome,
    // noCp932Form }, the outcome "compared", "firstLoadFailed",
    // "secondLoadFailed", "sizesDiffer" or "outOfMemory".
    compare(first, second) {
      return this.exclusive(async () => {
        const firstPath = kCompareFolder + "/1/" + first.name;
        const secondPath = kCompareFolder + "/2/" + second.name;
        this.putPageFile(firstPath, blobOf(first.file));
        this.putPageFile(secondPath, blobOf(second.file));
        try {
          const outcome = await this.module.ccall("qpx_compare", "number", ["string", "string"],
                                                  [firstPath, secondPath], { async: true });
          return CompareAnswers[outcome];
        } finally {
          this.remove(firstPath);
          this.remove(secondPath);
        }
      });
    }

    // The core's own texts the page shows (the reasons a run stops, the
    // comparison's messages): { en: { key: text }, ja: { ... } }, a key
    // like "reasons.2" naming the third of the list reasons.
    texts() {
      const texts = { en: {}, ja: {} };
      this.module.qpxHost = { coreText: (language, key, text) => { texts[language][key] = text; } };
      this.module.ccall("qpx_texts", null, [], []);
      return texts;
    }

    differenceCount() {
      return this.module.ccall("qpx_difference_count", "number", [], []);
    }

    // Collects the pieces one core call hands out.
    collect(call) {
      this.pieces = [];
      this.module.qpxHost = Object.assign(this.module.qpxHost || {}, {
        textPiece: (piece) => this.pieces.push(piece),
      });
      const answer = call();
      const pieces = this.pieces;
      this.pieces = null;
      return { answer, pieces };
    }

    // The count of lines of the last comparison's listing, its header's
    // included.
    listingLines() {
      return this.module.ccall("qpx_listing_lines", "number", [], []);
    }

    // Lines of the last comparison's listing, from first (the header is
    // line 0), at most count: UTF-8 pieces.
    listing(first, count) {
      return this.collect(() =>
        this.module.ccall("qpx_listing", "number", ["number", "number"], [first, count])).pieces;
    }

    // The script of the last comparison that changes the file sourceName
    // (reverse: the second into the first): { name, pieces }, or
    // { refused } where the name has no CP932 form or cannot stand in a
    // script, or the files are equal.
    script(sourceName, reverse) {
      const { answer, pieces } = this.collect(() =>
        this.module.ccall("qpx_script", "number", ["number", "string"], [reverse ? 1 : 0, sourceName]));
      if (answer !== Answer.kDone) {
        const refused = { [Answer.kNoCp932Form]: "noCp932Form", [Answer.kNoDifferences]: "noDifferences" };
        return { refused: refused[answer] || "cannotName" };
      }
      const name = this.module.ccall("qpx_script_name", "string", ["string"], [sourceName]);
      return { name, pieces };
    }
  }

  // Starts the core; options are emscripten's (wasmBinary in Node).
  async function startSession(createQuopra, options) {
    return new Session(await createQuopra(options || {}));
  }

  exports.startSession = startSession;
})(typeof module === "object" && module.exports ? module.exports : (globalThis.QuopraSession = {}));
