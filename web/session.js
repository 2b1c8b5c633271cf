// The page's hold on the core (quopra.js/quopra.wasm): files go into the
// core's file system, the core runs and compares, and what it asks or
// makes comes back through the host the caller gives. Shared by the page
// and the Node tests; a classic script, so that the page works from file://.
(function (exports) {
  "use strict";

  const kRunFolder = "/run";
  const kChosenFolder = "/chosen";
  const kCompareFolder = "/compare";

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

  class Session {
    constructor(module) {
      this.module = module;
      this.fs = module.FS;
      this.pieces = null;
      for (const folder of [kRunFolder, kChosenFolder, kCompareFolder]) this.fs.mkdirTree(folder);
    }

    // Puts bytes at path, its folders made as needed; the file system
    // takes the caller's array itself (no copy), which the caller then
    // leaves alone.
    put(path, bytes) {
      this.fs.mkdirTree(folderOf(path));
      this.fs.writeFile(path, bytes, { canOwn: true });
    }

    // The bytes of the file at path, without a copy (until the file changes).
    bytesAt(path) {
      const node = this.fs.lookupPath(path).node;
      return node.contents.subarray(0, node.usedBytes);
    }

    remove(path) {
      try {
        this.fs.unlink(path);
      } catch (error) {
        // already gone
      }
    }

    // The sections of the script, as { directive, dialog, argument, body },
    // or a failure: "loadFailed" or "noCp932Form".
    listSections(scriptName, scriptBytes) {
      const scriptPath = kRunFolder + "/" + scriptName;
      this.put(scriptPath, scriptBytes);
      const sections = [];
      this.module.qpxHost = {
        sectionListed: (directive, dialog, argument, body) =>
          sections.push({ directive, dialog, argument, body }),
      };
      try {
        const answer = this.module.ccall("qpx_sections", "number", ["string"], [scriptPath]);
        return answer === Answer.kDone ? { sections } : { failure: ["", "", "loadFailed", "noCp932Form"][answer] };
      } finally {
        this.remove(scriptPath);
      }
    }

    // Runs the script; host answers what the run asks (see the page's
    // ApplyHost). Resolves to "done", "failed", "loadFailed" or "noCp932Form".
    async run(scriptName, scriptBytes, host) {
      const scriptPath = kRunFolder + "/" + scriptName;
      this.put(scriptPath, scriptBytes);
      const placed = [];
      this.module.qpxHost = {
        provideTarget: async (path) => {
          // A later section on the same target finds it as the run left it.
          if (placed.includes(path)) return true;
          const bytes = await host.provideTarget(baseName(path), path);
          if (!bytes) return false;
          this.put(path, bytes);
          placed.push(path);
          return true;
        },
        targetSaved: (path) => host.saved(baseName(path), this.bytesAt(path)),
        registryValue: (path, type, data) => host.registryValue(path, type, data),
        chooseFile: async (title, name, filter) => {
          const chosen = await host.chooseFile(title, name, filter);
          if (!chosen) return "";
          const path = kChosenFolder + "/" + chosen.name;
          this.put(path, chosen.bytes);
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
        const answer = await this.module.ccall("qpx_run", "number", ["string"], [scriptPath],
                                               { async: true });
        return ["done", "failed", "loadFailed", "noCp932Form"][answer];
      } finally {
        for (const path of placed.concat([scriptPath])) this.remove(path);
      }
    }

    // Compares two files of equal size: { outcome, noCp932Form }, the
    // outcome "compared", "firstLoadFailed", "secondLoadFailed",
    // "sizesDiffer" or "outOfMemory".
    compare(first, second) {
      const firstPath = kCompareFolder + "/1/" + first.name;
      const secondPath = kCompareFolder + "/2/" + second.name;
      this.put(firstPath, first.bytes);
      this.put(secondPath, second.bytes);
      try {
        const outcome = this.module.ccall("qpx_compare", "number", ["string", "string"],
                                          [firstPath, secondPath]);
        return CompareAnswers[outcome];
      } finally {
        this.remove(firstPath);
        this.remove(secondPath);
      }
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

    // The listing of the last comparison, UTF-8 pieces.
    listing() {
      return this.collect(() => this.module.ccall("qpx_listing", "number", [], [])).pieces;
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
