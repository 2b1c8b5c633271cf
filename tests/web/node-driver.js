// Runs the page's core in Node as the page runs it, on files on disk:
//   node node-driver.js run SCRIPT OUTDIR [DIALOG_FILE]   (saved targets to OUTDIR)
//   node node-driver.js diff FIRST SECOND OUTDIR           (both scripts to OUTDIR)
// Prints what the page would show (failures, registry values) as JSON lines.
"use strict";
const fs = require("fs");
const path = require("path");

const pageDir = process.env.QPX_PAGE_DIR || path.join(__dirname, "../../build/web");
const createQuopra = require(path.join(pageDir, "quopra.js"));
const { startSession } = require(path.join(__dirname, "../../web/session.js"));

// The core's binary as the page has it (quopra-wasm.js).
function wasmOf(folder) {
  const script = fs.readFileSync(path.join(folder, "quopra-wasm.js"), "ascii");
  return Buffer.from(script.match(/"([A-Za-z0-9+/=]*)"/)[1], "base64");
}

function report(entry) {
  process.stdout.write(JSON.stringify(entry) + "\n");
}

async function run(session, scriptFile, outDir, dialogFile) {
  const folder = path.dirname(scriptFile);
  const outcome = (await session.load(path.basename(scriptFile), fs.readFileSync(scriptFile))) || await session.run({
    provideTarget: async (name) => {
      const file = path.join(folder, name);
      return fs.existsSync(file) ? fs.readFileSync(file) : null;
    },
    chooseFile: async (title, name, filter) => {
      report({ dialog: { title, name, filter } });
      return dialogFile ? { name: path.basename(dialogFile), bytes: fs.readFileSync(dialogFile) } : null;
    },
    confirm: async (question) => (report({ question }), false),
    saved: (name, bytes) => fs.writeFileSync(path.join(outDir, name), bytes),
    registryValue: (valuePath, type, data) =>
      report({ registry: { path: valuePath, type, data: Buffer.from(data).toString("hex") } }),
    failed: (failure) => report({ failure }),
    sectionStarted: (directive, target) => report({ section: { directive, target } }),
  });
  report({ outcome });
}

function diff(session, first, second, outDir) {
  const file = (name) => ({ name: path.basename(name), bytes: fs.readFileSync(name) });
  const compared = session.compare(file(first), file(second));
  report({ compared, differences: session.differenceCount() });
  if (compared.outcome !== "compared") return;
  for (const [source, reverse] of [[first, false], [second, true]]) {
    const script = session.script(path.basename(source), reverse);
    if (script.refused) report({ refused: script.refused });
    else fs.writeFileSync(path.join(outDir, script.name), Buffer.concat(script.pieces));
  }
}

async function main() {
  const [command, ...args] = process.argv.slice(2);
  const session = await startSession(createQuopra, { wasmBinary: wasmOf(pageDir) });
  if (command === "run") await run(session, args[0], args[1], args[2]);
  else if (command === "diff") diff(session, args[0], args[1], args[2]);
  else throw new Error("usage: node-driver.js run|diff ...");
}

main().catch((error) => {
  process.stderr.write(String(error && error.stack || error) + "\n");
  process.exit(1);
});
