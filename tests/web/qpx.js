// The native qpx on a case's inputs, and the case's files laid out in a
// fresh folder: what the page's results are compared with.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");

const kExamples = path.join(__dirname, "../../examples");

function qpxPath() {
  const qpx = process.env.QPX || path.join(__dirname, "../../build/native/console/qpx");
  if (!fs.existsSync(qpx)) throw new Error("no native qpx at " + qpx + " (set QPX)");
  return qpx;
}

// Folders the tests made, removed when the process ends.
const madeFolders = [];
process.on("exit", () => {
  for (const folder of madeFolders) fs.rmSync(folder, { recursive: true, force: true });
});

function freshFolder(label) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "qpx-web-" + label + "-"));
  madeFolders.push(folder);
  return folder;
}

// A fresh folder holding the case's files (and examples it names).
function layOut(testCase, label) {
  const folder = freshFolder(label);
  for (const name of testCase.examples === true ? [testCase.first, testCase.second] : testCase.examples || []) {
    fs.copyFileSync(path.join(kExamples, name), path.join(folder, name));
  }
  const files = typeof testCase.files === "function" ? testCase.files() : testCase.files || {};
  for (const [name, bytes] of Object.entries(files)) {
    fs.writeFileSync(path.join(folder, name), bytes);
  }
  if (Buffer.isBuffer(testCase.script)) fs.writeFileSync(path.join(folder, "case.qpx"), testCase.script);
  return folder;
}

function scriptName(testCase) {
  return Buffer.isBuffer(testCase.script) ? "case.qpx" : testCase.script;
}

// Every file of the folder by name.
function filesOf(folder) {
  const files = {};
  for (const name of fs.readdirSync(folder)) files[name] = fs.readFileSync(path.join(folder, name));
  return files;
}

// qpx in English, or in Japanese with language "ja".
function qpx(args, folder, language) {
  const locale = language === "ja" ? { LC_ALL: "", LANGUAGE: "", LANG: "ja_JP.UTF-8" } : { LC_ALL: "C.UTF-8", LANGUAGE: "en" };
  const result = spawnSync(qpxPath(), args, { cwd: folder, env: { ...process.env, ...locale }, maxBuffer: 1 << 30 });
  return { status: result.status, stderr: result.stderr.toString(), stdout: result.stdout.toString() };
}

// qpx run on the case in its own folder: its status, stderr and the files.
function qpxApply(testCase, language) {
  const folder = layOut(testCase, "qpx");
  const args = ["run", scriptName(testCase), "--trust"];
  if (testCase.dialog) args.push("--target", testCase.dialog);
  const result = qpx(args, folder, language);
  return { ...result, files: filesOf(folder) };
}

// qpx diff both ways: its status and the two scripts, their #path naming
// the file alone as the page's do (qpx names it by its full path).
function qpxMake(testCase, language) {
  const folder = layOut(testCase, "qpx");
  const scripts = {};
  let status, stderr;
  for (const [reverse, source] of [[false, testCase.first], [true, testCase.second]]) {
    const output = path.basename(source, path.extname(source)) + ".qpx";
    const args = ["diff", testCase.first, testCase.second, "-o", output].concat(reverse ? ["--reverse"] : []);
    ({ status, stderr } = qpx(args, path.join(folder), language));
    if (status !== 0) break;
    const bytes = fs.readFileSync(path.join(folder, output));
    const prefix = Buffer.from("#path \"" + fs.realpathSync(folder) + "/", "utf8");
    scripts[output] = bytes.subarray(0, prefix.length).equals(prefix)
      ? Buffer.concat([Buffer.from("#path \""), bytes.subarray(prefix.length)]) : bytes;
  }
  // The listing's lines past its header, as qpx list gives them.
  const listing = status === 0 ? qpx(["list", testCase.first, testCase.second], folder).stdout.split("\n").slice(1, -1) : [];
  return { status, stderr, scripts, listing };
}

// qpx run of a script the page made on a copy of the file it changes:
// the file as qpx leaves it.
function qpxRunMade(scriptBytes, targetName, targetBytes) {
  const folder = freshFolder("made");
  fs.writeFileSync(path.join(folder, "made.qpx"), scriptBytes);
  fs.writeFileSync(path.join(folder, targetName), targetBytes);
  const result = qpx(["run", "made.qpx", "--trust"], folder);
  if (result.status !== 0) throw new Error("qpx run: " + result.stderr);
  return fs.readFileSync(path.join(folder, targetName));
}

module.exports = { freshFolder, layOut, scriptName, filesOf, qpxApply, qpxMake, qpxRunMade };
