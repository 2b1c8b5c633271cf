// What a front end other than qpxrun may decide during a run: the image
// the #path sections work on, where a registry value goes, which file a
// "#path dialog" section patches, and when sections open and close. An
// interpreter without hooks behaves as qpxrun does: its own image, the
// system registry and the system's Open dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/FileDialog.h"
#include "platform/Registry.h"

class CSourceData;

// One registry value as a registry statement is about to write it.
struct RegistryValue {
  const std::string& path;  // the section's registry value path, unquoted
  platform::RegistryKey root;
  const std::string& subkey;
  const std::string& name;  // empty for the key's default value
  uint32_t type;            // platform::kRegSz, kRegBinary or kRegDword
  const unsigned char* data;
  uint32_t size;
};

// The three fields of a dialog description.
struct DialogRequest {
  const std::string& title;
  const std::string& fileName;  // the proposed name
  const std::string& filter;    // description and pattern pairs, NUL-separated
};

enum class RegistryAction {
  kWrite,   // write it to the system registry, as qpxrun does
  kSkip,    // count it as written without writing it
  kRefuse,  // fail the statement, with nothing written
};

// Where the units of a script ran out.
struct UnitsEnd {
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t openDirective = kNone;     // the #path or #registry whose section they end inside
  size_t pendingStatement = kNone;  // the first unit of a statement they end inside
};

class CRunHooks {
 public:
  virtual ~CRunHooks() = default;

  // The image every #path section of the run works on; nullptr for the
  // run's own. Asked once, when the run starts.
  virtual CSourceData* Image() = 0;
  // Decides about one value before it is written.
  virtual RegistryAction OnRegistryValue(const RegistryValue& value) = 0;
  // Chooses the target of a "#path dialog" section, giving the chosen
  // path with kChosen.
  virtual FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) = 0;
  // A #path section has loaded its target, or a #registry section has
  // taken its value path (target).
  virtual void OnSectionStart(std::string_view directive, const std::string& target) = 0;
  // The "#end" of a section has been handled (a #path target saved).
  virtual void OnSectionEnd() = 0;
  // Every unit has been read, before the end of the script is judged.
  virtual void OnUnitsEnd(const UnitsEnd& end) = 0;
};
