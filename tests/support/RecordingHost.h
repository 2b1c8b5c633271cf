// The tests' host: real files, and a record of everything else a run asks
// (registry values, dialog requests, questions, failures, sections), with
// answers a test queues beforehand.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "image/SourceData.h"
#include "language/RunHost.h"

struct RecordedRegistryValue {
  std::string path;
  platform::RegistryKey root;
  std::string subkey;
  std::string name;
  uint32_t type;
  std::string data;
};

class CRecordingHost : public CRunHost {
 public:
  CSourceData& Image() override { return image; }
  bool LoadTarget(CSourceData& target, const std::string& path) override;
  bool SaveTarget(CSourceData& target, const std::string& path) override;
  bool WriteRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  bool Confirm(const std::string& question) override;
  void ReportFailure(const RunFailure& failure) override { failures.push_back(failure); }
  void OnSectionStart(std::string_view directive, const std::string& target) override;
  void OnSectionEnd() override { events.push_back("end"); }
  void OnUnitsEnd(const UnitsEnd& end) override { unitsEnd = end; }

  CSourceData image;
  // Answers: a dialog answer of nothing cancels, as does an empty queue;
  // an empty queue of confirmations answers No.
  std::deque<std::optional<std::string>> dialogAnswers;
  std::deque<bool> confirmAnswers;
  bool registryWrites = true;  // false: every registry value is refused
  // Called when a section starts, after it is recorded.
  std::function<void(const std::string& target)> atSectionStart;

  std::vector<std::string> loaded;
  std::vector<std::string> saved;
  std::vector<RecordedRegistryValue> values;
  std::vector<std::string> dialogTitles;
  std::vector<std::string> questions;
  std::vector<RunFailure> failures;
  std::vector<std::string> events;  // "#path target", "#registry target", "end"
  std::optional<UnitsEnd> unitsEnd;
};
