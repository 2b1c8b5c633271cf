// The page's side of the host: JavaScript functions of the page's host
// object (Module.qpxHost), called with UTF-8 texts. Those marked async
// wait for the user; the run is suspended meanwhile (Asyncify).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace page {

// CP932 text in the page's UTF-8, "?" for what is no character.
std::string Shown(std::string_view cp932);

// Asks the page for the file a #path section names, to be put at path;
// false when the user gave none.
bool ProvideTarget(const std::string& path);
// The target at path has been saved with these bytes: the page keeps
// them as the file at path and offers them (async: it takes them by
// pieces).
void TargetSaved(const std::string& path, const unsigned char* data, uint32_t size);
// A registry value a statement was about to write.
void RegistryValue(const std::string& path, uint32_t type, const unsigned char* data,
                   uint32_t size);
// A #path dialog section: the page asks for a file and gives the path it
// put it at, empty when the user cancelled.
std::string ChooseFile(const std::string& title, const std::string& fileName,
                       const std::string& filter);
bool Confirm(const std::string& question);
// The run stopped: the reason (or -1), the unit (1-based, 0 for none) and
// its text, and whether the failure was the missing registry.
void Failed(int32_t reason, size_t unit, const std::string& unitText, bool registryMissing);
// A section of the script, listed before the run.
void SectionListed(const std::string& directive, bool dialog, const std::string& argument,
                   const std::string& body);
void SectionStarted(const std::string& directive, const std::string& target);
// A text of the core's, by the page's key ("reasons.2") in a language
// ("en" or "ja").
void CoreText(const char* language, const std::string& key, const std::string& text);
// A piece of a long text (a listing or a script) for the page to collect.
void TextPiece(const char* bytes, size_t size);

}  // namespace page
