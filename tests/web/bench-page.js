// The page's times for tools/bench, in headless Chromium, through its
// own controls (the time a user waits, reading the files included, the
// page's own clock):
//   node bench-page.js run SCRIPT TARGET_COPY   applies SCRIPT, its #path target answered with
//                                               TARGET_COPY, which the saved target then replaces
//   node bench-page.js compare FIRST SECOND     compares the two files and lists the differences
// Prints the seconds taken. A benchmark, not a test: nothing is judged.
"use strict";
const path = require("path");
const { launch, pageUrl } = require("./page-test.js");

// The page's own clock, read in the page: from start (the Run button's
// click, or the second file chosen) until the page shows it is done, less
// the time a prompt waited for the user (here the driver, whose polling
// is no time of the page's).
async function watchClock(page, start) {
  await page.evaluate((start) => {
    const clock = (window.benchClock = { waited: 0 });
    const mark = () => performance.now();
    if (start === "run") {
      document.getElementById("run").addEventListener("click", () => { clock.start = mark(); }, true);
    } else {
      document.getElementById("second-file").addEventListener("change", () => { clock.start = mark(); }, true);
    }
    new MutationObserver(() => {
      if (document.querySelector("#ask fieldset") && clock.asked === undefined) clock.asked = mark();
    }).observe(document.getElementById("ask"), { childList: true });
    document.addEventListener("change", (event) => {
      if (clock.asked !== undefined && event.target.closest("#ask")) {
        clock.waited += mark() - clock.asked;
        clock.asked = undefined;
      }
    }, true);
    const done = () => (start === "run"
      ? document.getElementById("apply-status").textContent === "The script ran to its end."
      : !document.getElementById("listing").hidden);
    new MutationObserver(() => {
      if (clock.end === undefined && clock.start !== undefined && done()) clock.end = mark();
    }).observe(document.body, { subtree: true, childList: true, characterData: true, attributes: true });
  }, start);
}

async function secondsOnClock(page) {
  const clock = await page.evaluate(() => window.benchClock);
  return (clock.end - clock.start - clock.waited) / 1000;
}

async function timeRun(page, script, target) {
  await page.getByLabel("Script (.qpx)").setInputFiles(script);
  await page.locator("#run:not([disabled])").waitFor();
  await watchClock(page, "run");
  await page.locator("#run").click();
  await page.locator("#ask fieldset input[type=file]").setInputFiles(target);
  await page.getByText("The script ran to its end.").waitFor();
  const seconds = await secondsOnClock(page);
  // The saved target replaces the copy, for the benchmark's check.
  const [download] = await Promise.all([page.waitForEvent("download"), page.locator("#saved a").first().click()]);
  await download.saveAs(target);
  return seconds;
}

async function timeCompare(page, first, second) {
  await page.getByRole("tab", { name: "Make a script" }).click();
  await page.getByLabel("First file").setInputFiles(first);
  await watchClock(page, "compare");
  await page.getByLabel("Second file").setInputFiles(second);
  await page.locator("#listing:not([hidden])").waitFor();
  return secondsOnClock(page);
}

async function main() {
  const [command, one, other] = process.argv.slice(2);
  const context = await launch();
  const page = context.pages()[0] || (await context.newPage());
  page.setDefaultTimeout(900000);
  await page.goto(pageUrl);
  const seconds = command === "run" ? await timeRun(page, path.resolve(one), path.resolve(other))
                                    : await timeCompare(page, path.resolve(one), path.resolve(other));
  console.log(seconds.toFixed(3));
  await context.close();
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
