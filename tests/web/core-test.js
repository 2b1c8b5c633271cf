// The page's core in Node against qpx: every case of cases.js gives the
// same status and the same bytes.
//   node core-test.js [apply|make|large]
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const cases = require("./cases.js");
const { layOut, scriptName, filesOf, qpxApply, qpxMake } = require("./qpx.js");

const pageDir = process.env.QPX_PAGE_DIR || path.join(__dirname, "../../build/web");
const createQuopra = require(path.join(pageDir, "quopra.js"));
const { startSession } = require(path.join(__dirname, "../../web/session.js"));

// The core's binary as the page has it (quopra-wasm.js).
function wasmOf(folder) {
  const script = fs.readFileSync(path.join(folder, "quopra-wasm.js"), "ascii");
  return Buffer.from(script.match(/"([A-Za-z0-9+/=]*)"/)[1], "base64");
}

// The status qpx ends with for what the page was told.
function statusOf(outcome, failure) {
  if (outcome === "loadFailed" || outcome === "noCp932Form") return 3;
  if (outcome !== "failed") return 0;
  return failure.registryMissing ? 18 : 10 + failure.reason;
}

async function webApply(session, testCase) {
  const folder = layOut(testCase, "web");
  const files = filesOf(folder);
  let failure = null;
  const registry = [];
  const saves = [];
  const loadFailure = await session.load(scriptName(testCase), files[scriptName(testCase)]);
  const outcome = loadFailure || await session.run({
    provideTarget: async (name) => files[name] || null,
    chooseFile: async () => (testCase.dialog ? { name: testCase.dialog, file: files[testCase.dialog] } : null),
    confirm: async () => false,
    saved: (name, blob) => saves.push(blob.arrayBuffer().then((bytes) => { files[name] = Buffer.from(bytes); })),
    registryValue: (valuePath, type, data) => registry.push({ valuePath, type, data }),
    failed: (reported) => { failure = reported; },
    sectionStarted: () => {},
  });
  await Promise.all(saves);
  return { status: statusOf(outcome, failure), files, registry };
}

async function webMake(session, testCase) {
  const folder = layOut(testCase, "web");
  const file = (name) => ({ name, file: fs.readFileSync(path.join(folder, name)) });
  const compared = await session.compare(file(testCase.first), file(testCase.second));
  const failedStatus = { firstLoadFailed: 20, secondLoadFailed: 21, sizesDiffer: 22 };
  if (compared.outcome !== "compared") return { status: failedStatus[compared.outcome], scripts: {} };
  const scripts = {};
  for (const [source, reverse] of [[testCase.first, false], [testCase.second, true]]) {
    const made = session.script(source, reverse);
    if (made.refused) return { status: made.refused === "noDifferences" ? 23 : 27, scripts: {} };
    scripts[made.name] = Buffer.concat(made.pieces.map((piece) => Buffer.from(piece)));
  }
  return { status: 0, scripts };
}

// The sections the page lists before a run: each as the core reads it, a
// long body cut after about 240 bytes.
const longBody = Array.from({ length: 100000 }, (_, at) => at.toString(16).toUpperCase().padStart(8, "0") + " = 11 ;");
const sectionCases = [
  { name: "path section", script: '#path "t.bin"\n0000 = 11 ;\n0001 =bit 1XXXXXX0 ;\n#end\n',
    sections: [{ directive: "#path", dialog: false, argument: "t.bin", body: "0000 = 11 ; 0001 =bit 1XXXXXX0 ;" }] },
  { name: "dialog section, text between sections", script: 'note\n#path dialog "Pick|n.sav|Saves|*.sav|"\n0002 = 7F ;\n#end\n' +
      'more\n#path "u.bin"\n#end\n',
    sections: [{ directive: "#path", dialog: true, argument: "Pick|n.sav|Saves|*.sav|", body: "0002 = 7F ;" },
               { directive: "#path", dialog: false, argument: "u.bin", body: "" }] },
  { name: "400,000 units", script: '#path "t.bin"\n' + longBody.join("\n") + "\n#end\n",
    sections: [{ directive: "#path", dialog: false, argument: "t.bin",
                 body: longBody.slice(0, 240 / (longBody[0].length + 1)).join(" ") + " ..." }] },
  { name: "a section after a long body, past units that are no directive",
    script: '#path "t.bin"\n' + longBody.join("\n") + '\nx#path #pathx #END\n#end\n#registry "HKCU\\K"\n#end\n',
    sections: [{ directive: "#path", dialog: false, argument: "t.bin",
                 body: longBody.slice(0, 240 / (longBody[0].length + 1)).join(" ") + " ..." },
               { directive: "#registry", dialog: false, argument: "HKCU\\K", body: "" }] },
];

async function checkSections(session, check) {
  for (const testCase of sectionCases) {
    const script = Buffer.from(testCase.script.replace(/\n/g, "\r\n"), "latin1");
    const listed = (await session.load("s.qpx", script)) || session.sections();
    check("sections: " + testCase.name, () => {
      assert.deepStrictEqual(listed, testCase.sections);
    });
  }
}

// The failure texts the page shows are the core's, in both languages, and
// none is written again among the page's own (texts.js).
const failureKeys = ["loadFailed", "noRegistry", "where", "noCp932Form", "otherFailure",
  "firstLoadFailed", "secondLoadFailed", "sizesDiffer", "noDifferences", "outOfMemory", "cannotName"];

function checkTexts(session, check) {
  require(path.join(__dirname, "../../web/texts.js"));
  const core = session.texts();
  check("texts: the failures' texts are the core's", () => {
    for (const key of failureKeys) {
      assert.ok(core.en[key] && core.ja[key] && core.en[key] !== core.ja[key], key);
      for (const language of ["en", "ja"]) assert.ok(!(key in globalThis.QuopraTexts[language]), language + " " + key);
    }
  });
}

// A comparison asked while a run waits for its target waits its turn;
// then both give what each gives alone.
async function checkTurns(session, check) {
  const testCase = cases.applyCases[0];
  const files = filesOf(layOut(testCase, "web"));
  await session.load(scriptName(testCase), files[scriptName(testCase)]);
  let answer = null;
  const asked = new Promise((resolve) => { answer = resolve; });
  let saved = null;
  const running = session.run({
    provideTarget: (name) => new Promise((resolve) => answer(() => resolve(files[name]))),
    saved: (name, blob) => { saved = blob; },
    failed: () => {}, sectionStarted: () => {},
  });
  const giveTarget = await asked;
  let compared = null;
  const comparing = session.compare({ name: "a.bin", file: Buffer.from([1, 2]) }, { name: "b.bin", file: Buffer.from([1, 3]) })
    .then((result) => { compared = result; });
  await new Promise((resolve) => setTimeout(resolve, 100));
  const early = compared;
  giveTarget();
  const outcome = await running;
  await comparing;
  const bytes = Buffer.from(await saved.arrayBuffer());
  check("turns: a comparison waits while a run waits for its target", () => {
    assert.strictEqual(early, null);
    assert.strictEqual(outcome, "done");
    assert.ok(bytes.equals(qpxApply(testCase).files["save.dat"]));
    assert.strictEqual(compared.outcome, "compared");
    assert.strictEqual(session.differenceCount(), 1);
  });
}

async function main() {
  const only = process.argv[2];
  const session = await startSession(createQuopra, { wasmBinary: wasmOf(pageDir) });
  let failures = 0;
  const check = (name, body) => {
    try {
      body();
      console.log("ok   " + name);
    } catch (error) {
      failures += 1;
      console.log("FAIL " + name + "\n" + error.message);
    }
  };
  if (only === "apply") {
    checkTexts(session, check);
    await checkSections(session, check);
    await checkTurns(session, check);
  }
  for (const testCase of only === "large" ? cases.largeApplyCases : only === "make" ? [] : cases.applyCases) {
    const expected = qpxApply(testCase);
    const got = await webApply(session, testCase);
    check("apply: " + testCase.name, () => {
      assert.strictEqual(expected.status, testCase.status, "qpx: " + expected.stderr);
      assert.strictEqual(got.status, expected.status);
      assert.deepStrictEqual(Object.keys(got.files).sort(), Object.keys(expected.files).sort());
      for (const name of Object.keys(expected.files)) assert.ok(got.files[name].equals(expected.files[name]), name);
      if (testCase.status === 18) assert.strictEqual(got.registry.length, 1);
    });
  }
  for (const testCase of only === "large" ? cases.largeMakeCases : only === "apply" ? [] : cases.makeCases) {
    const expected = qpxMake(testCase);
    const got = await webMake(session, testCase);
    check("make: " + testCase.name, () => {
      assert.strictEqual(expected.status, testCase.status);
      assert.strictEqual(got.status, expected.status);
      assert.deepStrictEqual(Object.keys(got.scripts).sort(), Object.keys(expected.scripts).sort());
      for (const name of Object.keys(expected.scripts)) {
        assert.ok(got.scripts[name].equals(expected.scripts[name]), name);
      }
    });
  }
  process.exit(failures > 0 ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
