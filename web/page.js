// The page: its screens, texts and prompts. Everything a script or a
// comparison means is the core's (session.js, quopra.js); the page only
// hands it files and shows what it answers.
(function () {
  "use strict";

  const $ = (id) => document.getElementById(id);
  let texts = QuopraTexts.en;
  let sessionPromise = null;

  // ---- texts ----------------------------------------------------------
  function fill(text, ...values) {
    return values.reduce((result, value, index) => result.split("%" + (index + 1)).join(value), text);
  }

  // The text of a key; "reasons.2" is the third of the list reasons.
  function lookup(key) {
    return key.split(".").reduce((value, part) => value[part], texts);
  }

  // An element's own text, before the elements it holds (a note put
  // after a message), which keep theirs.
  function setOwnText(element, text) {
    const own = [...element.childNodes].find((node) => node.nodeType === Node.TEXT_NODE);
    if (own) own.nodeValue = text;
    else element.prepend(text);
  }

  function chooseLanguage(language) {
    texts = QuopraTexts[language] || QuopraTexts.en;
    document.documentElement.lang = language;
    $("language").value = language;
    for (const element of document.querySelectorAll("[data-text]")) {
      setOwnText(element, lookup(element.dataset.text));
    }
    for (const element of document.querySelectorAll("[data-fill]")) {
      setOwnText(element, fill(lookup(element.dataset.fill), ...JSON.parse(element.dataset.values)));
    }
  }

  // An element whose text follows the language: key, then the %n values.
  function textElement(tag, key, ...values) {
    const element = document.createElement(tag);
    element.dataset.fill = key;
    element.dataset.values = JSON.stringify(values);
    element.textContent = fill(lookup(key), ...values);
    return element;
  }

  function browserLanguage() {
    const languages = navigator.languages || [navigator.language || "en"];
    return languages.some((tag) => /^ja\b/i.test(tag)) ? "ja" : "en";
  }

  // ---- screens ----------------------------------------------------------
  function showScreen(tab) {
    for (const other of document.querySelectorAll("[role=tab]")) {
      const selected = other === tab;
      other.setAttribute("aria-selected", String(selected));
      other.tabIndex = selected ? 0 : -1;
      $(other.getAttribute("aria-controls")).hidden = !selected;
    }
  }

  function wireTabs() {
    const tabs = [...document.querySelectorAll("[role=tab]")];
    tabs.forEach((tab, index) => {
      tab.addEventListener("click", () => showScreen(tab));
      tab.addEventListener("keydown", (event) => {
        const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
        if (!step) return;
        const next = tabs[(index + step + tabs.length) % tabs.length];
        showScreen(next);
        next.focus();
      });
    });
  }

  // Files dropped on a screen go where its file inputs would take them.
  function wireDrop(section, take) {
    section.addEventListener("dragover", (event) => {
      event.preventDefault();
      section.classList.add("dragging");
    });
    section.addEventListener("dragleave", () => section.classList.remove("dragging"));
    section.addEventListener("drop", (event) => {
      event.preventDefault();
      section.classList.remove("dragging");
      take([...event.dataTransfer.files]);
    });
  }

  // The core's texts join the page's: each key ("reasons.2") in its language.
  function takeCoreTexts(core) {
    for (const [language, table] of Object.entries(core.texts())) {
      for (const [key, text] of Object.entries(table)) {
        const parts = key.split(".");
        const last = parts.pop();
        const holder = parts.reduce((value, part) => (value[part] = value[part] || []), QuopraTexts[language]);
        holder[last] = text;
      }
    }
    return core;
  }

  function session() {
    if (!sessionPromise) {
      const wasmBinary = Uint8Array.from(atob(QuopraWasm), (c) => c.charCodeAt(0));
      sessionPromise = QuopraSession.startSession(createQuopra, { wasmBinary }).then(takeCoreTexts);
    }
    return sessionPromise;
  }

  function offerDownload(list, name, parts, key) {
    const url = URL.createObjectURL(new Blob(parts, { type: "application/octet-stream" }));
    const item = document.createElement("li");
    const link = textElement("a", key, name);
    link.href = url;
    link.download = name;
    item.append(link);
    list.append(item);
    return item;
  }

  globalThis.QuopraPage = { fill, chooseLanguage, textElement, offerDownload, session, $ };
  // ---- start ------------------------------------------------------------
  document.addEventListener("DOMContentLoaded", () => {
    chooseLanguage(browserLanguage());
    $("language").addEventListener("change", (event) => chooseLanguage(event.target.value));
    wireTabs();
    QuopraApply.wire(wireDrop);
    QuopraMake.wire(wireDrop);
  });
})();
