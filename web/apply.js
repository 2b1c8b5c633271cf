// The Apply screen: a script's sections, then its run, the page answering
// what the core asks (a target, a dialog file, a question) with the user.
(function () {
  "use strict";
  const { textElement, offerDownload, session, $ } = QuopraPage;
  const kValueTypes = { 1: "REG_SZ", 3: "REG_BINARY", 4: "REG_DWORD" };
  let script = null;  // { name } of the script the core holds
  // File handles the user gave with the File System Access API, by name.
  const handles = new Map();

  function row(cells) {
    const tr = document.createElement("tr");
    for (const cell of cells) {
      const td = document.createElement("td");
      td.textContent = cell;
      tr.append(td);
    }
    return tr;
  }

  function clearRun() {
    $("ask").replaceChildren();
    $("saved").replaceChildren();
    $("registry").hidden = true;
    $("registry").querySelector("tbody").replaceChildren();
    $("failure").hidden = true;
    $("apply-status").textContent = "";
  }

  async function takeScript(file) {
    clearRun();
    script = { name: file.name };
    const core = await session();
    const failure = await core.load(file.name, file);
    const body = $("sections").querySelector("tbody");
    body.replaceChildren();
    if (failure) {
      showFailure(textElement("p", "loadFailed"), failure === "noCp932Form" ? "noCp932Form" : null);
      $("run").disabled = true;
      return;
    }
    for (const section of core.sections()) {
      const directive = section.directive + (section.dialog ? " dialog" : "");
      body.append(row([directive, section.argument, section.body]));
    }
    $("sections").hidden = false;
    $("run").disabled = false;
  }

  function showFailure(message, noteKey, where) {
    const box = $("failure");
    box.replaceChildren(message);
    if (noteKey) message.append(textElement("span", noteKey));
    if (where) box.append(where);
    box.hidden = false;
  }

  // A prompt in the ask area; resolves with what its controls give.
  function prompt(build) {
    return new Promise((resolve) => {
      const fieldset = document.createElement("fieldset");
      const done = (value) => {
        fieldset.remove();
        resolve(value);
      };
      build(fieldset, done);
      $("ask").append(fieldset);
      const first = fieldset.querySelector("input, button");
      if (first) first.focus();
    });
  }

  let fileInputs = 0;
  function fileChoice(fieldset, labelKey, labelValue, done, cancelKey) {
    const id = "ask-file-" + ++fileInputs;
    const label = textElement("label", labelKey, labelValue);
    label.htmlFor = id;
    const input = document.createElement("input");
    input.type = "file";
    input.id = id;
    input.addEventListener("change", async () => {
      if (input.files.length) done({ name: input.files[0].name, file: input.files[0] });
    });
    const cancel = textElement("button", cancelKey);
    cancel.addEventListener("click", () => done(null));
    fieldset.append(label, input);
    if (window.showOpenFilePicker) {
      const pick = textElement("button", "pickWritable");
      pick.addEventListener("click", async () => {
        try {
          const [handle] = await window.showOpenFilePicker();
          const file = await handle.getFile();
          handles.set(file.name, handle);
          done({ name: file.name, file });
        } catch (error) {
          // not chosen: the input stays
        }
      });
      fieldset.append(pick);
    }
    fieldset.append(cancel);
  }

  const host = {
    provideTarget: (name) => prompt((fieldset, done) => {
      const legend = textElement("legend", "askTarget", name);
      fieldset.append(legend);
      fileChoice(fieldset, "askTargetFile", name, (chosen) => done(chosen && chosen.file), "skip");
    }),
    chooseFile: (title, name, filter) => prompt((fieldset, done) => {
      fieldset.append(textElement("legend", "dialogTitle", title), textElement("p", "dialogName", name),
                      textElement("p", "dialogFilter", filter));
      fileChoice(fieldset, "dialogFile", "", done, "cancel");
    }),
    confirm: (question) => prompt((fieldset, done) => {
      const legend = document.createElement("legend");
      legend.textContent = question;
      const yes = textElement("button", "yes");
      const no = textElement("button", "no");
      yes.addEventListener("click", () => done(true));
      no.addEventListener("click", () => done(false));
      fieldset.append(legend, no, yes);
    }),
    saved: (name, blob) => {
      const item = offerDownload($("saved"), name, [blob], "saved");
      const handle = handles.get(name);
      if (handle) item.append(writeBackButton(name, handle, blob));
    },
    registryValue: (path, type, data) => {
      const hex = [...data].map((byte) => byte.toString(16).padStart(2, "0").toUpperCase()).join(" ");
      $("registry").querySelector("tbody").append(row([path, kValueTypes[type] || String(type), hex]));
      $("registry").hidden = false;
    },
    failed: (failure) => {
      const key = failure.registryMissing ? "noRegistry" : null;
      const message = key ? textElement("p", key)
        : textElement("p", failure.reason >= 0 ? "reasons." + failure.reason : "otherFailure");
      const where = failure.unit ? textElement("p", "where", script.name + ":", String(failure.unit),
                                               failure.unitText) : null;
      showFailure(message, null, where);
    },
    sectionStarted: () => {},
  };

  function writeBackButton(name, handle, blob) {
    const button = textElement("button", "writeBack", name);
    button.addEventListener("click", async () => {
      const writable = await handle.createWritable();
      await writable.write(blob);
      await writable.close();
      button.replaceWith(textElement("span", "writtenBack", name));
    });
    return button;
  }

  // While a run goes on (it may wait for an answer) no other script is
  // taken: the run's prompts stay until it ends.
  function setRunning(running) {
    $("run").disabled = $("script-file").disabled = running;
  }

  async function run() {
    clearRun();
    setRunning(true);
    $("apply-status").replaceChildren(textElement("span", "running"));
    const outcome = await (await session()).run(host);
    $("apply-status").replaceChildren(outcome === "done" ? textElement("span", "done") : "");
    if (outcome === "loadFailed") showFailure(textElement("p", "loadFailed"));
    setRunning(false);
  }

  globalThis.QuopraApply = {
    wire(wireDrop) {
      $("script-file").addEventListener("change", (event) => {
        if (event.target.files.length) takeScript(event.target.files[0]);
      });
      $("run").addEventListener("click", run);
      wireDrop($("apply"), (files) => files.length && !$("script-file").disabled && takeScript(files[0]));
    },
  };
})();
