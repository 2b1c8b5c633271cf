// The page in headless Chromium (Debian's, driven by playwright-core)
// against qpx: every case of cases.js through the page's own controls,
// its downloads compared byte for byte with qpx's files, its failure
// message with qpx's.
//   node page-test.js [apply|make|large] [SCREENSHOT_DIR]
"use strict";
const assert = require("assert");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { chromium } = require("playwright-core");
const cases = require("./cases.js");
const { layOut, scriptName, qpxApply, qpxMake } = require("./qpx.js");

const pageDir = process.env.QPX_PAGE_DIR || path.join(__dirname, "../../build/web");
const pageUrl = "file://" + path.join(pageDir, "index.html");

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "qpx-chromium-"));
  return chromium.launchPersistentContext(profile, {
    executablePath: process.env.QPX_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    acceptDownloads: true,
    locale: "en-US",
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
}

// Every request the page makes beyond its own files fails the test.
function watchRequests(page, requests) {
  page.on("request", (request) => {
    const url = request.url();
    if (!url.startsWith("file://") && !url.startsWith("blob:") && !url.startsWith("data:")) requests.push(url);
  });
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

async function pageApply(page, testCase) {
  const folder = layOut(testCase, "page");
  await page.goto(pageUrl);
  await page.getByRole("tab", { name: "Apply a script" }).click();
  await page.getByLabel("Script (.qpx)").setInputFiles(path.join(folder, scriptName(testCase)));
  await page.waitForFunction(() => !document.getElementById("run").disabled ||
                             !document.getElementById("failure").hidden);
  if (await page.locator("#run").isEnabled()) {
    await page.locator("#run").click();
    await answerPrompts(page, folder, testCase);
  }
  const failure = await page.locator("#failure:not([hidden]) p").first().textContent().catch(() => null);
  const files = {};
  for (const name of fs.readdirSync(folder)) files[name] = fs.readFileSync(path.join(folder, name));
  Object.assign(files, await downloadsOf(page, "#saved"));
  return { failure, files };
}

async function pageMake(page, testCase) {
  const folder = layOut(testCase, "page");
  await page.goto(pageUrl);
  await page.getByRole("tab", { name: "Make a script" }).click();
  await page.getByLabel("First file").setInputFiles(path.join(folder, testCase.first));
  await page.getByLabel("Second file").setInputFiles(path.join(folder, testCase.second));
  await page.waitForFunction(() => document.getElementById("make-status").textContent !== "" ||
                             !document.getElementById("make-failure").hidden);
  const scripts = {};
  for (const button of ["#forward", "#reverse"]) {
    if (!(await page.locator(button).isEnabled())) continue;
    const [download] = await Promise.all([page.waitForEvent("download"), page.locator(button).click()]);
    scripts[download.suggestedFilename()] = fs.readFileSync(await download.path());
  }
  const failure = await page.locator("#make-failure:not([hidden]) p").first().textContent().catch(() => null);
  return { failure, scripts };
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
  const requests = [];
  watchRequests(page, requests);
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
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
  for (const testCase of only === "large" ? cases.largeApplyCases : only === "make" ? [] : cases.applyCases) {
    await check("page apply: " + testCase.name, async () => {
      const expected = qpxApply(testCase);
      assert.strictEqual(expected.status, testCase.status, "qpx: " + expected.stderr);
      const got = await pageApply(page, testCase);
      assert.strictEqual(got.failure, expected.status === 0 ? null : qpxMessage(expected.stderr).replace(/^[^:]*: (the script could not be read)/, "$1"));
      for (const name of Object.keys(expected.files)) assert.ok(got.files[name].equals(expected.files[name]), name);
    });
    if (screenshots && testCase.status === 18) await page.screenshot({ path: path.join(screenshots, "web-apply.png"), fullPage: true });
  }
  for (const testCase of only === "large" ? cases.largeMakeCases : only === "apply" ? [] : cases.makeCases) {
    await check("page make: " + testCase.name, async () => {
      const expected = qpxMake(testCase);
      assert.strictEqual(expected.status, testCase.status);
      const got = await pageMake(page, testCase);
      assert.deepStrictEqual(Object.keys(got.scripts).sort(), Object.keys(expected.scripts).sort());
      for (const name of Object.keys(expected.scripts)) assert.ok(got.scripts[name].equals(expected.scripts[name]), name);
      if (expected.status !== 0) assert.ok(got.failure, "the page shows why");
    });
    if (screenshots && testCase.name.startsWith("many")) await page.screenshot({ path: path.join(screenshots, "web-make.png"), fullPage: true });
  }
  await check("no request beyond the page's files, no error", async () => {
    assert.deepStrictEqual(requests, []);
    assert.deepStrictEqual(errors, []);
  });
  await context.close();
  process.exit(failures > 0 ? 1 : 0);
}

module.exports = { launch, pageUrl };

if (require.main === module) {
  main().catch((error) => {
    console.error(error);
    process.exit(1);
  });
}
