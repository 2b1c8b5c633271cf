// The Make screen: two files compared by the core, its listing shown as a
// virtual list (only the rows in view exist), its scripts downloaded.
(function () {
  "use strict";
  const { textElement, offerDownload, session, $ } = QuopraPage;
  const kRowHeight = 16;  // px, as page.css sets the rows' line height
  const kLineFeed = 10;
  let names = null;  // { first, second } of the last comparison
  let listing = null;  // { bytes, starts }: the listing and where each line starts

  function concat(pieces) {
    const size = pieces.reduce((sum, piece) => sum + piece.length, 0);
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const piece of pieces) {
      bytes.set(piece, at);
      at += piece.length;
    }
    return bytes;
  }

  function lineStarts(bytes) {
    let count = 0;
    for (let at = 0; at < bytes.length; ++at) if (bytes[at] === kLineFeed) ++count;
    const starts = new Uint32Array(count + 1);
    for (let at = 0, line = 1; at < bytes.length; ++at) if (bytes[at] === kLineFeed) starts[line++] = at + 1;
    return starts;
  }

  const decoder = new TextDecoder("utf-8");
  function renderRows() {
    if (!listing) return;
    const view = $("listing");
    const lines = listing.starts.length - 1;
    const first = Math.max(0, Math.floor(view.scrollTop / kRowHeight) - 10);
    const last = Math.min(lines, first + Math.ceil(view.clientHeight / kRowHeight) + 20);
    const rows = view.querySelector(".rows");
    rows.style.top = first * kRowHeight + "px";
    rows.textContent = decoder.decode(listing.bytes.subarray(listing.starts[first], listing.starts[last]))
      .replace(/\r\n/g, "\n");
  }

  function showListing(pieces) {
    const bytes = concat(pieces);
    listing = { bytes, starts: lineStarts(bytes) };
    const view = $("listing");
    view.querySelector(".spacer").style.height = (listing.starts.length - 1) * kRowHeight + "px";
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
    listing = null;
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
    showListing(core.listing());
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
