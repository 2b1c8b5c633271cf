#include "DiffSession.h"

namespace e2e::diff {

namespace {

std::string DiffExe() { return WindowsPath(QPX_E2E_DIFF_EXE); }

}  // namespace

DriverRun RunDiff(const Steps& steps, const std::string& cwd, const std::string& tail) {
  Steps words = {"launch", DiffExe(), cwd, tail};
  words.insert(words.end(), steps.begin(), steps.end());
  words.insert(words.end(), {"command", kExit, "exit"});
  return RunDriver(words);
}

Steps OpenSteps(const std::string& first, const std::string& second) {
  Steps steps = {"command", kOpen, "filedialog", first};
  if (first != "cancel" && !second.empty()) steps.insert(steps.end(), {"filedialog", second});
  return steps;
}

Steps CreateScriptSteps(const std::string& answer, const std::string& path) {
  Steps steps = {"command", kCreateScript, "msgbox", answer, "filedialog", path};
  if (path != "cancel") steps.insert(steps.end(), {"msgbox", "OK"});
  return steps;
}

std::string InitialPaneText() {
  return "　ここにデータの差異が表示されます。\r\n"
         "　[ファイル(&F)|開く(&O)...]メニューから、Quopraソースファイルを\r\n"
         "作成する元となる2つのファイルを選択してください。\r\n";
}

std::string SizeMismatchText() {
  return "　1つ目のファイルと2つ目のファイルのサイズが違います。\r\n"
         "　スクリプトファイルは書き出せません。";
}

std::string Listing(const std::string& first, const std::string& second,
                    const std::vector<std::string>& lines) {
  std::string text = "Address = " + first + " : " + second + "\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string MenuState(const Transcript& transcript, const std::string& id) {
  std::string state = "<missing>";
  for (const auto& line : transcript.All("menu.item")) {
    if (line.size() > 2 && line[1] == id) state = line[2];
  }
  return state;
}

std::vector<std::string> Nth(const Transcript& transcript, const std::string& event, size_t n) {
  auto lines = transcript.All(event);
  if (n >= lines.size()) return {};
  return std::vector<std::string>(lines[n].begin() + 1, lines[n].end());
}

std::string NthText(const Transcript& transcript, const std::string& event, size_t n,
                    size_t index) {
  std::vector<std::string> words = Nth(transcript, event, n);
  std::string text;
  if (index >= words.size() || !HexToBytes(words[index], text)) return "<no " + event + ">";
  return text;
}

}  // namespace e2e::diff
