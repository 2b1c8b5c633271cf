// The page in headless Chromium (Debian's, driven by playwright-core)
// against qpx: every case of cases.js through the page's own controls,
// its downloads compared byte for byte with qpx's files, its failure
// message with qpx's.
//   node page-test.js [apply|make|large] [SCREENSHOT_DIR]
"use strict";
const assert = require("assert");
const fs = require("fs");
const http = require("http");
const path = require("path");
const { chromium } = require("playwright-core");
const cases = require("./cases.js");
const { freshFolder, layOut, scriptName, filesOf, qpxApply, qpxMake, qpxRunMade } = require("./qpx.js");

const pageDir = process.env.QPX_PAGE_DIR || path.join(__dirname, "../../build/web");
const pageUrl = "file://" + path.join(pageDir, "index.html");

async function launch() {
  const profile = freshFolder("chromium");
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.QPX_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    acceptDownloads: true,
    locale: "en-US",
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  context.profile = profile;
  return context;
}

// The memory of the browser's renderers (where the page and its core
// run), from /proc: { now, peak } in bytes, each summed over them.
function rendererMemory(profile) {
  const processes = fs.readdirSync("/proc").filter((name) => /^\d+$/.test(name)).map((pid) => {
    try {
      const command = fs.readFileSync(`/proc/${pid}/cmdline`, "utf8");
      const status = fs.readFileSync(`/proc/${pid}/status`, "utf8");
      const field = (name) => Number((status.match(new RegExp(name + ":\\s+(\\d+)")) || [0, 0])[1]);
      return { pid, parent: String(field("PPid")), command, now: field("VmRSS") * 1024, peak: field("VmHWM") * 1024 };
    } catch (error) {
      return null;  // gone meanwhile
    }
  }).filter(Boolean);
  const byPid = new Map(processes.map((process) => [process.pid, process]));
  const browser = processes.find((process) => process.command.includes("--user-data-dir=" + profile) &&
                                  !process.command.includes("--type="));
  const underBrowser = (process) => {
    for (let at = process; at; at = byPid.get(at.parent)) if (at === browser) return true;
    return false;
  };
  const renderers = processes.filter((process) => process.command.includes("--type=renderer") && underBrowser(process));
  assert.ok(renderers.length > 0, "a renderer of the browser");
  return renderers.reduce((sum, process) => ({ now: sum.now + process.now, peak: sum.peak + process.peak }),
                          { now: 0, peak: 0 });
}

// Whether a request is for the page's own files (or what it made itself).
const ownRequest = (url) => url.startsWith("file://") || url.startsWith("blob:") || url.startsWith("data:");

// Every request the page makes beyond its own files, and every script
// error it shows, fails the test (playwright's page or puppeteer's alike);
// checkWatched is that check.
function watchPage(page) {
  const watched = { requests: [], errors: [] };
  page.on("request", (request) => ownRequest(request.url()) || watched.requests.push(request.url()));
  page.on("pageerror", (error) => watched.errors.push(String(error)));
  page.on("console", (message) => message.type() === "error" && watched.errors.push(message.text()));
  return watched;
}

function checkWatched(check, watched) {
  return check("no request beyond the page's files, no error", async () => {
    assert.deepStrictEqual(watched.requests, []);
    assert.deepStrictEqual(watched.errors, []);
  });
}

// Runs named checks, printing each one's outcome; failed() says whether any failed.
function checker() {
  let failures = 0;
  const check = async (name, body) => {
    try {
      await body();
      console.log("ok   " + name);
    } catch (error) {
      failures += 1;
      console.log("FAIL " + name + "\n" + String(error.stack || error).slice(0, 2000));
    }
  };
  check.failed = () => failures > 0;
  return check;
}

// Starts measuring the page's memory once its core is ready; the function
// returned gives, in bytes, how far the renderers' peak went beyond their
// use at the start, and the size the core's heap grew to.
async function memoryFrom(page, profile) {
  await page.evaluate(() => QuopraPage.session().then(() => true));
  const start = rendererMemory(profile);
  return async () => ({
    grown: rendererMemory(profile).peak - start.now,
    heap: await page.evaluate(() => QuopraPage.session().then((core) => core.module.HEAPU8.length)),
  });
}

// Memory stays within the largest file's size plus 64 MiB.
function checkMemory(memory, folder) {
  const largest = Math.max(...fs.readdirSync(folder).map((name) => fs.statSync(path.join(folder, name)).size));
  const limit = largest + 64 * 1024 * 1024;
  const mib = (bytes) => (bytes / 1048576).toFixed(1) + " MiB";
  console.log(`     memory: renderers grew ${mib(memory.grown)}, the core's heap ${mib(memory.heap)}, limit ${mib(limit)}`);
  assert.ok(memory.grown <= limit, "the renderers grew " + mib(memory.grown));
  assert.ok(memory.heap <= limit, "the core's heap is " + mib(memory.heap));
}

// The text of the first element the selector finds now, null when there
// is none (no waiting: the screen has settled).
async function shownText(page, selector) {
  const shown = page.locator(selector).first();
  return (await shown.count()) > 0 ? shown.textContent() : null;
}

async function downloadsOf(page, list) {
  const files = {};
  for (const link of await page.locator(list + " a").all()) {
    const [download] = await Promise.all([page.waitForEvent("download"), link.click()]);
    files[download.suggestedFilename()] = fs.readFileSync(await download.path());
  }
  return files;
}

// Answers the page's prompts until the run ends: a target or dialog file
// from the folder, or a cancel where the case has none.
async function answerPrompts(page, folder, testCase) {
  for (;;) {
    const state = await Promise.race([
      page.locator("#ask fieldset").first().waitFor().then(() => "ask"),
      page.locator("#failure:not([hidden])").waitFor().then(() => "end"),
      page.getByText("The script ran to its end.").waitFor().then(() => "end"),
    ]);
    if (state === "end") return;
    const fieldset = page.locator("#ask fieldset").first();
    const asked = await fieldset.elementHandle();
    const legend = await fieldset.locator("legend").textContent();
    const dialog = legend.startsWith("The script asks for a file");
    const name = dialog ? testCase.dialog : legend.match(/changes (.*)\. Choose/)[1];
    if (name && fs.existsSync(path.join(folder, name))) {
      await fieldset.locator("input[type=file]").setInputFiles(path.join(folder, name));
    } else {
      await fieldset.getByRole("button", { name: dialog ? "Cancel" : "Skip" }).click();
    }
    // The prompt goes once the page has read the file (a large one takes a while).
    await page.waitForFunction((element) => !element.isConnected, asked);
  }
}

// A case through the Apply screen; with profile (the browser's), its
// memory is measured and checked.
async function pageApply(page, testCase, profile) {
  const folder = layOut(testCase, "page");
  await page.goto(pageUrl);
  const measured = profile ? await memoryFrom(page, profile) : null;
  await page.getByRole("tab", { name: "Apply a script" }).click();
  await page.getByLabel("Script (.qpx)").setInputFiles(path.join(folder, scriptName(testCase)));
  await page.waitForFunction(() => !document.getElementById("run").disabled ||
                             !document.getElementById("failure").hidden);
  if (await page.locator("#run").isEnabled()) {
    await page.locator("#run").click();
    await answerPrompts(page, folder, testCase);
  }
  if (measured) checkMemory(await measured(), folder);
  const failure = await shownText(page, "#failure:not([hidden]) p");
  const files = Object.assign(filesOf(folder), await downloadsOf(page, "#saved"));
  return { failure, files };
}

async function pageMake(page, testCase, profile) {
  const folder = layOut(testCase, "page");
  await page.goto(pageUrl);
  const measured = profile ? await memoryFrom(page, profile) : null;
  await page.getByRole("tab", { name: "Make a script" }).click();
  await page.getByLabel("First file").setInputFiles(path.join(folder, testCase.first));
  await page.getByLabel("Second file").setInputFiles(path.join(folder, testCase.second));
  await page.waitForFunction(() => document.getElementById("make-status").textContent !== "" ||
                             !document.getElementById("make-failure").hidden);
  if (measured) checkMemory(await measured(), folder);
  const scripts = {};
  for (const button of ["#forward", "#reverse"]) {
    if (!(await page.locator(button).isEnabled())) continue;
    const [download] = await Promise.all([page.waitForEvent("download"), page.locator(button).click()]);
    scripts[download.suggestedFilename()] = fs.readFileSync(await download.path());
  }
  const failure = await shownText(page, "#make-failure:not([hidden]) p");
  return { failure, scripts, folder, listing: await page.evaluate(rowsAtTopAndBottom) };
}

// In the page: the listing's rows in view at its top and, scrolled to its
// end, at its bottom (a list longer than its view draws other rows there),
// the top's past the header line; null where no listing is shown.
function rowsAtTopAndBottom() {
  const view = document.getElementById("listing");
  if (view.hidden) return null;
  const rows = () => view.querySelector(".rows").textContent;
  const shown = rows();
  const scrolls = view.scrollHeight > view.clientHeight;
  view.scrollTop = view.scrollHeight;
  return new Promise((resolve) => {
    const look = () => (!scrolls || rows() !== shown
      ? resolve({ top: shown.split("\n").slice(1), bottom: rows().split("\n") })
      : requestAnimationFrame(look));
    look();
  });
}

// The rows shown at the top and the bottom are qpx's lines there.
function checkListing(shown, expected) {
  const top = shown.top.filter((line) => line !== "");
  assert.deepStrictEqual(top, expected.slice(0, top.length));
  const bottom = shown.bottom.filter((line) => line !== "");
  const last = Math.min(5, expected.length);
  assert.deepStrictEqual(bottom.slice(-last), expected.slice(-last));
}

// The page served over HTTP from this machine, where the browser offers
// the File System Access API (file:// gets no origin storage).
function servePage() {
  const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css" };
  const server = http.createServer((request, response) => {
    const file = path.join(pageDir, path.basename(new URL(request.url, "http://here").pathname));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// A case's target written back in place: the page is given a real file
// handle (the origin's private file system holds the target; only the
// picker, which needs a person, is stood in for), applies the script, and
// writes the saved target through the handle.
async function pageWriteBack(context, testCase, name) {
  const folder = layOut(testCase, "page");
  const server = await servePage();
  const page = await context.newPage();
  try {
    await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
    await page.evaluate(async ({ name, base64 }) => {
      const root = await navigator.storage.getDirectory();
      const handle = await root.getFileHandle(name, { create: true });
      const writable = await handle.createWritable();
      await writable.write(Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)));
      await writable.close();
      window.showOpenFilePicker = async () => [handle];
    }, { name, base64: fs.readFileSync(path.join(folder, name)).toString("base64") });
    await page.getByRole("tab", { name: "Apply a script" }).click();
    await page.getByLabel("Script (.qpx)").setInputFiles(path.join(folder, scriptName(testCase)));
    await page.locator("#run:not([disabled])").click();
    await page.locator("#ask fieldset").getByRole("button", { name: "Choose it so that it can be written back in place" }).click();
    await page.getByRole("button", { name: `Write ${name} back in place` }).click();
    await page.getByText(`${name} was written back.`).waitFor();
    const written = await page.evaluate(async (name) => {
      const file = await (await (await navigator.storage.getDirectory()).getFileHandle(name)).getFile();
      return btoa(String.fromCharCode(...new Uint8Array(await file.arrayBuffer())));
    }, name);
    return Buffer.from(written, "base64");
  } finally {
    await page.close();
    server.close();
  }
}

// qpx's message: the first line of its standard error without "qpx: ",
// past the note on a --target that has no CP932 form.
function qpxMessage(stderr) {
  const line = stderr.split("\n").find((text) => !text.startsWith("qpx: --target")) || "";
  return line.startsWith("qpx: ") ? line.slice(5) : line;
}

async function main() {
  const [only, screenshots] = process.argv.slice(2);
  const context = await launch();
  const page = context.pages()[0] || (await context.newPage());
  page.setDefaultTimeout(only === "large" ? 600000 : 20000);
  const watched = watchPage(page);
  const check = checker();
  for (const testCase of only === "large" ? cases.largeApplyCases : only === "make" ? [] : cases.applyCases) {
    await check("page apply: " + testCase.name, async () => {
      const expected = qpxApply(testCase);
      assert.strictEqual(expected.status, testCase.status, "qpx: " + expected.stderr);
      const got = await pageApply(page, testCase, only === "large" && context.profile);
      assert.strictEqual(got.failure, expected.status === 0 ? null : qpxMessage(expected.stderr).replace(/^[^:]*: (the script could not be read)/, "$1"));
      for (const name of Object.keys(expected.files)) assert.ok(got.files[name].equals(expected.files[name]), name);
      if (expected.status === 0) return;
      // The same message in Japanese, as qpx gives it there.
      await page.locator("#language").selectOption("ja");
      const japanese = await shownText(page, "#failure:not([hidden]) p");
      await page.locator("#language").selectOption("en");
      assert.strictEqual(japanese, qpxMessage(qpxApply(testCase, "ja").stderr).replace(/^[^:]*\.qpx: /, ""));
    });
    if (screenshots && testCase.status === 18) await page.screenshot({ path: path.join(screenshots, "web-apply.png"), fullPage: true });
  }
  if (only === "apply") {
    await check("page apply: written back in place", async () => {
      const testCase = cases.applyCases[0];
      const expected = qpxApply(testCase);
      const written = await pageWriteBack(context, testCase, "save.dat");
      assert.ok(written.equals(expected.files["save.dat"]), "save.dat as qpx saved it");
      assert.ok(!written.equals(fs.readFileSync(path.join(__dirname, "../../examples/save.dat"))), "changed");
    });
  }
  for (const testCase of only === "large" ? cases.largeMakeCases : only === "apply" ? [] : cases.makeCases) {
    await check("page make: " + testCase.name, async () => {
      const expected = qpxMake(testCase);
      assert.strictEqual(expected.status, testCase.status);
      const got = await pageMake(page, testCase, only === "large" && context.profile);
      assert.deepStrictEqual(Object.keys(got.scripts).sort(), Object.keys(expected.scripts).sort());
      for (const name of Object.keys(expected.scripts)) assert.ok(got.scripts[name].equals(expected.scripts[name]), name);
      if (expected.status !== 0) {
        // qpx's message, in English and in Japanese (the page names no file it was given).
        const message = (stderr) => qpxMessage(stderr).replace(/^[^:]*\.bin: /, "");
        assert.strictEqual(got.failure, message(expected.stderr));
        await page.locator("#language").selectOption("ja");
        const japanese = await shownText(page, "#make-failure:not([hidden]) p");
        await page.locator("#language").selectOption("en");
        assert.strictEqual(japanese, message(qpxMake(testCase, "ja").stderr));
      } else {
        checkListing(got.listing, expected.listing);
      }
      // qpx run turns the first file into the second with the page's forward script.
      const forward = path.basename(testCase.first, path.extname(testCase.first)) + ".qpx";
      if (expected.status === 0) {
        const read = (name) => fs.readFileSync(path.join(got.folder, name));
        assert.ok(qpxRunMade(got.scripts[forward], testCase.first, read(testCase.first)).equals(read(testCase.second)));
      }
    });
    if (screenshots && testCase.name.startsWith("many")) await page.screenshot({ path: path.join(screenshots, "web-make.png"), fullPage: true });
  }
  await checkWatched(check, watched);
  await context.close();
  process.exit(check.failed() ? 1 : 0);
}

module.exports = { launch, pageUrl, watchPage, checkWatched, checker, rowsAtTopAndBottom, checkListing };

if (require.main === module) {
  main().catch((error) => {
    console.error(error);
    process.exit(1);
  });
}
