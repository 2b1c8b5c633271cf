// The page in headless Firefox (Debian's firefox-esr, driven over WebDriver
// BiDi by puppeteer-core, in a fresh profile it makes and removes) against
// qpx: the cases below through the page's own controls, its downloads
// compared byte for byte with qpx's files, as page-test.js does in Chromium.
//   node firefox-test.js
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const puppeteer = require("puppeteer-core");
const cases = require("./cases.js");
const { pageUrl, watchPage, checkWatched, checker, rowsAtTopAndBottom, checkListing } = require("./page-test.js");
const { freshFolder, layOut, scriptName, filesOf, qpxApply, qpxMake, qpxRunMade } = require("./qpx.js");

// Cases of cases.js: the examples, a dialog, a name converted to CP932, a
// listing taller than the browser draws row by row.
const kCases = [
  { apply: cases.applyCases.find((testCase) => testCase.script === "fix.qpx") },
  { apply: cases.applyCases.find((testCase) => testCase.dialog === "picked.sav") },
  { make: cases.makeCases.find((testCase) => testCase.examples === true) },
  { make: cases.makeCases.find((testCase) => testCase.first === "表.bin") },
  { make: cases.makeCases.find((testCase) => testCase.name === "a million differences") },
];

// Downloads go to a fresh folder without asking.
function launch(downloads) {
  return puppeteer.launch({
    browser: "firefox",
    executablePath: process.env.QPX_FIREFOX || "/usr/bin/firefox-esr",
    headless: true,
    extraPrefsFirefox: {
      "intl.accept_languages": "en-US",
      "browser.download.folderList": 2,
      "browser.download.dir": downloads,
      "browser.download.useDownloadDir": true,
      "browser.download.always_ask_before_handling_new_types": false,
    },
  });
}

// Clicks each link or button, and takes the file it downloads out of the
// downloads folder once Firefox has written it whole: it writes NAME.part
// beside an empty NAME and then renames it over NAME (none of these
// downloads is empty).
async function downloadsOf(clickables, downloads) {
  const files = {};
  for (const clickable of clickables) {
    await clickable.click();
    const deadline = Date.now() + 20000;
    for (;;) {
      const names = fs.readdirSync(downloads);
      if (names.length > 0 && !names.some((name) => name.endsWith(".part")) &&
          fs.statSync(path.join(downloads, names[0])).size > 0) {
        assert.strictEqual(names.length, 1, "one download: " + names);
        files[names[0]] = fs.readFileSync(path.join(downloads, names[0]));
        fs.rmSync(path.join(downloads, names[0]));
        break;
      }
      assert.ok(Date.now() < deadline, "downloaded within 20 s: " + fs.readdirSync(downloads));
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
  return files;
}

// Answers the page's prompts with the case's files until the run ends.
async function answerPrompts(page, folder, testCase) {
  for (;;) {
    const state = await page.waitForFunction(() => (document.querySelector("#ask fieldset") ? "ask"
      : !document.getElementById("failure").hidden ||
        document.getElementById("apply-status").textContent === "The script ran to its end."));
    if ((await state.jsonValue()) !== "ask") return;
    const asked = await page.$("#ask fieldset");
    const legend = await asked.$eval("legend", (element) => element.textContent);
    const name = legend.startsWith("The script asks for a file") ? testCase.dialog
      : legend.match(/changes (.*)\. Choose/)[1];
    await (await asked.$("input[type=file]")).uploadFile(path.join(folder, name));
    await page.waitForFunction((element) => !element.isConnected, {}, asked);
  }
}

async function firefoxApply(page, testCase, downloads) {
  const folder = layOut(testCase, "firefox");
  await page.goto(pageUrl);
  await (await page.$("#script-file")).uploadFile(path.join(folder, scriptName(testCase)));
  await (await page.waitForSelector("#run:not([disabled])")).click();
  await answerPrompts(page, folder, testCase);
  const done = await page.$eval("#apply-status", (element) => element.textContent);
  assert.strictEqual(done, "The script ran to its end.");
  const links = await page.$$("#saved a");
  assert.ok(links.length > 0, "a saved target is offered");
  return Object.assign(filesOf(folder), await downloadsOf(links, downloads));
}

async function firefoxMake(page, testCase, downloads) {
  const folder = layOut(testCase, "firefox");
  await page.goto(pageUrl);
  await page.click("#tab-make");
  await (await page.$("#first-file")).uploadFile(path.join(folder, testCase.first));
  await (await page.$("#second-file")).uploadFile(path.join(folder, testCase.second));
  await page.waitForSelector("#forward:not([disabled])");
  const listing = await page.evaluate(rowsAtTopAndBottom);
  return { folder, listing, scripts: await downloadsOf([await page.$("#forward"), await page.$("#reverse")], downloads) };
}

async function main() {
  const downloads = freshFolder("firefox-downloads");
  const browser = await launch(downloads);
  const page = await browser.newPage();
  page.setDefaultTimeout(20000);
  const watched = watchPage(page);
  const check = checker();
  for (const { apply, make } of kCases) {
    if (apply) {
      await check("firefox apply: " + apply.name, async () => {
        const expected = qpxApply(apply);
        assert.strictEqual(expected.status, 0, "qpx: " + expected.stderr);
        const got = await firefoxApply(page, apply, downloads);
        for (const name of Object.keys(expected.files)) assert.ok(got[name].equals(expected.files[name]), name);
      });
    } else {
      await check("firefox make: " + make.name, async () => {
        const expected = qpxMake(make);
        assert.strictEqual(expected.status, 0);
        const got = await firefoxMake(page, make, downloads);
        assert.deepStrictEqual(Object.keys(got.scripts).sort(), Object.keys(expected.scripts).sort());
        for (const name of Object.keys(expected.scripts)) assert.ok(got.scripts[name].equals(expected.scripts[name]), name);
        checkListing(got.listing, expected.listing);
        // qpx run turns the first file into the second with the page's forward script.
        const read = (name) => fs.readFileSync(path.join(got.folder, name));
        const forward = path.basename(make.first, path.extname(make.first)) + ".qpx";
        assert.ok(qpxRunMade(got.scripts[forward], make.first, read(make.first)).equals(read(make.second)));
      });
    }
  }
  await checkWatched(check, watched);
  await browser.close();
  process.exit(check.failed() ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
