#include "web/PageCalls.h"

#include <emscripten.h>

#include <cstdlib>

#include "platform/Cp932_posix.h"

// clang-format off
EM_ASYNC_JS(int, qpxProvideTarget, (const char* path), {
  return (await Module.qpxHost.provideTarget(UTF8ToString(path))) ? 1 : 0;
});
// The saved bytes become a Blob piece by piece, the page given a turn
// between pieces to hand each to the browser, so that it never holds a
// second whole copy. The turn is a message, not a timer: nested timers
// wait at least 4 ms each.
EM_ASYNC_JS(void, qpxTargetSaved, (const char* path, const unsigned char* data, uint32_t size), {
  const kPiece = 4 << 20;
  const nextTurn = () => new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      channel.port1.close();
      resolve();
    };
    channel.port2.postMessage(0);
  });
  const pieces = [];
  for (let at = 0; at < size; at += kPiece) {
    pieces.push(new Blob([HEAPU8.subarray(data + at, data + Math.min(size, at + kPiece))]));
    await nextTurn();
  }
  Module.qpxHost.targetSaved(UTF8ToString(path), new Blob(pieces));
});
EM_JS(void, qpxRegistryValue, (const char* path, uint32_t type, const unsigned char* data,
                               uint32_t size), {
  Module.qpxHost.registryValue(UTF8ToString(path), type, HEAPU8.slice(data, data + size));
});
EM_ASYNC_JS(char*, qpxChooseFile, (const char* title, const char* name, const char* filter), {
  const chosen = await Module.qpxHost.chooseFile(UTF8ToString(title), UTF8ToString(name),
                                                 UTF8ToString(filter));
  return chosen ? allocateUTF8(chosen) : 0;
});
EM_ASYNC_JS(int, qpxConfirm, (const char* question), {
  return (await Module.qpxHost.confirm(UTF8ToString(question))) ? 1 : 0;
});
EM_JS(void, qpxFailed, (int32_t reason, size_t unit, const char* text, int registryMissing), {
  Module.qpxHost.failed(reason, unit, UTF8ToString(text), registryMissing !== 0);
});
EM_JS(void, qpxSectionStarted, (const char* directive, const char* target), {
  Module.qpxHost.sectionStarted(UTF8ToString(directive), UTF8ToString(target));
});
EM_JS(void, qpxSectionListed, (const char* directive, int dialog, const char* argument,
                               const char* body), {
  Module.qpxHost.sectionListed(UTF8ToString(directive), dialog !== 0, UTF8ToString(argument),
                               UTF8ToString(body));
});
EM_JS(void, qpxCoreText, (const char* language, const char* key, const char* text), {
  Module.qpxHost.coreText(UTF8ToString(language), UTF8ToString(key), UTF8ToString(text));
});
EM_JS(void, qpxTextPiece, (const char* bytes, size_t size), {
  Module.qpxHost.textPiece(HEAPU8.slice(bytes, bytes + size));
});
// clang-format on

namespace page {

std::string Shown(std::string_view cp932) { return platform::posix::ToSystemShown(cp932); }

bool ProvideTarget(const std::string& path) { return qpxProvideTarget(path.c_str()) != 0; }

void TargetSaved(const std::string& path, const unsigned char* data, uint32_t size) {
  qpxTargetSaved(path.c_str(), data, size);
}

void RegistryValue(const std::string& path, uint32_t type, const unsigned char* data,
                   uint32_t size) {
  qpxRegistryValue(path.c_str(), type, data, size);
}

std::string ChooseFile(const std::string& title, const std::string& fileName,
                       const std::string& filter) {
  char* chosen = qpxChooseFile(title.c_str(), fileName.c_str(), filter.c_str());
  if (chosen == nullptr) return {};
  std::string path(chosen);
  std::free(chosen);
  return path;
}

bool Confirm(const std::string& question) { return qpxConfirm(question.c_str()) != 0; }

void Failed(int32_t reason, size_t unit, const std::string& unitText, bool registryMissing) {
  qpxFailed(reason, unit, unitText.c_str(), registryMissing ? 1 : 0);
}

void SectionListed(const std::string& directive, bool dialog, const std::string& argument,
                   const std::string& body) {
  qpxSectionListed(directive.c_str(), dialog ? 1 : 0, argument.c_str(), body.c_str());
}

void SectionStarted(const std::string& directive, const std::string& target) {
  qpxSectionStarted(directive.c_str(), target.c_str());
}

void CoreText(const char* language, const std::string& key, const std::string& text) {
  qpxCoreText(language, key.c_str(), text.c_str());
}

void TextPiece(const char* bytes, size_t size) { qpxTextPiece(bytes, size); }

}  // namespace page
