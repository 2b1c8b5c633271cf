#include "Plan.h"

#include "Steps.h"

namespace drive {

namespace {

constexpr StepKind kSteps[] = {
    {"acp", 0, StepAcp},
    {"cp932table", 1, StepCp932Table},
    {"timeout", 1, StepTimeout},
    {"launch", 3, StepLaunch},
    {"launchout", 4, StepLaunchOut},
    {"exit", 0, StepExit},
    {"hold", 1, StepHold},
    {"fileinfo", 1, StepFileInfo},
    {"setfileinfo", 3, StepSetFileInfo},
    {"regvalue", 2, StepRegistryValue},
    {"resources", 1, StepResources},
    {"manifest", 1, StepManifest},
    {"msgbox", 1, StepMessageBox},
    {"filedialog", 1, StepFileDialog},
    {"window", 0, StepWindow},
    {"command", 1, StepCommand},
    {"menu", 1, StepMenu},
    {"edit", 0, StepEdit},
    {"font", 0, StepFont},
    {"display", 0, StepDisplay},
    {"resize", 2, StepResize},
    {"focus", 0, StepFocus},
    {"screenshot", 1, StepScreenshot},
    {"drop", 2, StepDrop},
    {"close", 0, StepClose},
    {"timedopen", 4, StepTimedOpen},
};

const StepKind* FindStep(const std::string& name) {
  for (const StepKind& step : kSteps) {
    if (name == step.name) return &step;
  }
  return nullptr;
}

}  // namespace

bool FollowPlan(Session& session, const std::vector<std::string>& words) {
  size_t at = 0;
  while (at < words.size()) {
    const StepKind* step = FindStep(words[at]);
    if (step == nullptr) {
      session.out.Error("unknown step '" + words[at] + "'");
      return false;
    }
    if (at + 1 + step->argCount > words.size()) {
      session.out.Error(std::string("step '") + step->name + "' needs " +
                        std::to_string(step->argCount) + " word(s)");
      return false;
    }
    std::vector<std::string> args(words.begin() + static_cast<long>(at) + 1,
                                  words.begin() + static_cast<long>(at + 1 + step->argCount));
    if (!step->run(session, args)) return false;
    at += 1 + step->argCount;
  }
  return true;
}

}  // namespace drive
