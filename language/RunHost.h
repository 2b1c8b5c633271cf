// The one way out of the interpreter: everything a run asks of the world
// outside it. Every run is handed a host, never none; each front end
// implements it once: qpxrun's (the system's files, registry, dialogs and
// message boxes), qpx's (files, the terminal, a registry only on Windows),
// the dry run's (records, writes nothing) and the tests' (records).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/FileDialog.h"
#include "language/ParseScriptException.h"
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

// Where the units of a script ran out: units and their lines (from 1; 0
// for none).
struct UnitsEnd {
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t openDirective = kNone;     // the #path or #registry whose section they end inside
  size_t pendingStatement = kNone;  // the first unit of a statement they end inside
  size_t openDirectiveLine = 0;
  size_t pendingStatementLine = 0;
  size_t lastLine = 0;  // the line of the last unit
};

// A run that did not complete: its reason and the unit being read.
struct RunFailure {
  ParseScriptReason reason;  // OtherFailure for a failure that no reason names
  size_t unit;               // CParseScriptException::kUnknownUnit when no unit is to blame
  size_t line = 0;           // the unit's line (from 1); 0 with no unit
};

class CRunHost {
 public:
  virtual ~CRunHost() = default;

  // The image every #path section of the run works on. Asked once, when
  // the run starts.
  virtual CSourceData& Image() = 0;
  // Loads the target at path into the image (as CSourceData::Load does,
  // throwing what it throws); a host may show progress meanwhile.
  virtual bool LoadTarget(CSourceData& image, const std::string& path) = 0;
  // Writes the image to the target at path (as CSourceData::Save does).
  virtual bool SaveTarget(CSourceData& image, const std::string& path) = 0;
  // Writes one value; false when it is not written.
  virtual bool WriteRegistryValue(const RegistryValue& value) = 0;
  // Chooses the target of a "#path dialog" section, giving the chosen
  // path with kChosen.
  virtual FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) = 0;
  // Asks the user a question whose answer No is the default; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  // Tells the user why the run stopped.
  virtual void ReportFailure(const RunFailure& failure) = 0;

  // A #path section has loaded its target, or a #registry section has
  // taken its value path (target).
  virtual void OnSectionStart(std::string_view /*directive*/, const std::string& /*target*/) {}
  // The "#end" of a section has been handled (a #path target saved).
  virtual void OnSectionEnd() {}
  // Every unit has been read, before the end of the script is judged.
  virtual void OnUnitsEnd(const UnitsEnd& /*end*/) {}
};
