// The page's times for tools/bench, in headless Chromium, through its
// own controls (the time a user waits, reading the files included):
//   node bench-page.js run SCRIPT TARGET_COPY   applies SCRIPT, its #path target answered with
//                                               TARGET_COPY, which the saved target then replaces
//   node bench-page.js compare FIRST SECOND     compares the two files and lists the differences
// Prints the seconds taken. A benchmark, not a test: nothing is judged.
"use strict";
const path = require("path");
const { launch, pageUrl } = require("./page-test.js");

async function timeRun(page, script, target) {
  await page.getByLabel("Script (.qpx)").setInputFiles(script);
  await page.locator("#run:not([disabled])").waitFor();
  const start = Date.now();
  await page.locator("#run").click();
  await page.locator("#ask fieldset input[type=file]").setInputFiles(target);
  await page.getByText("The script ran to its end.").waitFor();
  const seconds = (Date.now() - start) / 1000;
  // The saved target replaces the copy, for the benchmark's check.
  const [download] = await Promise.all([page.waitForEvent("download"), page.locator("#saved a").first().click()]);
  await download.saveAs(target);
  return seconds;
}

async function timeCompare(page, first, second) {
  await page.getByRole("tab", { name: "Make a script" }).click();
  await page.getByLabel("First file").setInputFiles(first);
  const start = Date.now();
  await page.getByLabel("Second file").setInputFiles(second);
  await page.locator("#listing:not([hidden])").waitFor();
  return (Date.now() - start) / 1000;
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
