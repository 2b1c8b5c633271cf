// The Make screen: two files compared by the core, its listing shown as a
// virtual list (only the rows in view exist), its scripts downloaded.
(function () {
  "use strict";
  const { textElement, offerDownload, session, $ } = QuopraPage;
  const kRowHeight = 16;  // px, as page.css sets the rows' line height
  // The tallest the list's spacer is made: browsers cap an element's
  // height (Chromium near 33 million px), so beyond this the scroll
  // position stands for a row in proportion instead of row by row.
  const kTallest = 8000000;
  let names = null;  // { first, second } of the last comparison
  let lines = 0;  // of the last comparison's listing, 0 for none
  let listedCore = null;  // the session that holds that comparison

  const decoder = new TextDecoder("utf-8");
  // The rows in view (and a few around them), the core asked for their
  // lines: a listing of millions of lines never lies in the page. The
  // scroll position is the same share of the list's rows as of its
  // height, which row by row is the row at the top.
  function renderRows() {
    if (!lines) return;
    const view = $("listing");
    const spare = 10;
    const inView = view.clientHeight / kRowHeight;
    const scrollable = view.scrollHeight - view.clientHeight;
    const share = scrollable > 0 ? Math.min(1, view.scrollTop / scrollable) : 0;
    const top = share * Math.max(0, lines - inView);
    const first = Math.max(0, Math.floor(top) - spare);
    const rows = view.querySelector(".rows");
    rows.style.top = (view.scrollTop - (top - first) * kRowHeight).toFixed(1) + "px";
    rows.textContent = listedCore.listing(first, Math.ceil(inView) + 2 * spare)
      .map((piece) => decoder.decode(piece)).join("").replace(/\r\n/g, "\n");
  }

  function showListing(count) {
    lines = count;
    const view = $("listing");
    view.querySelector(".spacer").style.height = Math.min(lines * kRowHeight, kTallest).toFixed() + "px";
    view.hidden = false;
    view.scrollTop = 0;
    renderRows();
  }

  function fail(key, ...values) {
    $("make-failure").replaceChildren(textElement("p", key, ...values));
    $("make-failure").hidden = false;
  }

  function reset() {
    $("make-failure").hidden = true;
    $("make-status").textContent = "";
    $("listing").hidden = true;
    $("scripts").replaceChildren();
    $("forward").disabled = $("reverse").disabled = true;
    lines = 0;
  }

  async function compare(firstFile, secondFile) {
    reset();
    const core = await session();
    const compared = await core.compare({ name: firstFile.name, file: firstFile },
                                        { name: secondFile.name, file: secondFile });
    if (compared.outcome !== "compared") {
      fail(compared.outcome);
      if (compared.noCp932Form) $("make-failure").firstChild.append(textElement("span", "noCp932Form"));
      return;
    }
    names = { first: firstFile.name, second: secondFile.name };
    const count = core.differenceCount();
    $("make-status").replaceChildren(textElement("span", "differences", String(count)));
    listedCore = core;
    showListing(core.listingLines());
    $("forward").disabled = $("reverse").disabled = count === 0;
    if (count === 0) fail("noDifferences");
  }

  async function download(reverse) {
    const source = reverse ? names.second : names.first;
    const script = (await session()).script(source, reverse);
    if (script.refused) {
      fail(script.refused === "cannotName" ? "cannotName" : script.refused, source);
      return;
    }
    const item = offerDownload($("scripts"), script.name, script.pieces, "saved");
    item.querySelector("a").click();
  }

  function takeFiles(files) {
    if (files.length >= 2) compare(files[0], files[1]);
  }

  globalThis.QuopraMake = {
    wire(wireDrop) {
      const chosen = () => {
        const first = $("first-file").files[0];
        const second = $("second-file").files[0];
        if (first && second) compare(first, second);
      };
      $("first-file").addEventListener("change", chosen);
      $("second-file").addEventListener("change", chosen);
      $("listing").addEventListener("scroll", () => requestAnimationFrame(renderRows));
      $("forward").addEventListener("click", () => download(false));
      $("reverse").addEventListener("click", () => download(true));
      wireDrop($("make"), takeFiles);
    },
  };
})();
