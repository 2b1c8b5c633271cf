// The steps a plan can name; Plan.cpp lists them in one table.
#pragma once

#include "Session.h"

namespace drive {

// ProcessSteps.cpp
bool StepAcp(Session& session, const std::vector<std::string>& args);
bool StepTimeout(Session& session, const std::vector<std::string>& args);
bool StepLaunch(Session& session, const std::vector<std::string>& args);
bool StepLaunchOut(Session& session, const std::vector<std::string>& args);
bool StepExit(Session& session, const std::vector<std::string>& args);
bool StepHold(Session& session, const std::vector<std::string>& args);
bool StepFileInfo(Session& session, const std::vector<std::string>& args);
bool StepSetFileInfo(Session& session, const std::vector<std::string>& args);
bool StepRegistryValue(Session& session, const std::vector<std::string>& args);
bool StepCp932Table(Session& session, const std::vector<std::string>& args);

// ResourceSteps.cpp
bool StepResources(Session& session, const std::vector<std::string>& args);
bool StepManifest(Session& session, const std::vector<std::string>& args);

// MessageBoxSteps.cpp
bool StepMessageBox(Session& session, const std::vector<std::string>& args);

// FileDialogSteps.cpp
bool StepFileDialog(Session& session, const std::vector<std::string>& args);

// MainWindowSteps.cpp
bool StepWindow(Session& session, const std::vector<std::string>& args);
bool StepCommand(Session& session, const std::vector<std::string>& args);
bool StepMenu(Session& session, const std::vector<std::string>& args);
bool StepEdit(Session& session, const std::vector<std::string>& args);
bool StepFont(Session& session, const std::vector<std::string>& args);
bool StepDisplay(Session& session, const std::vector<std::string>& args);
bool StepResize(Session& session, const std::vector<std::string>& args);
bool StepFocus(Session& session, const std::vector<std::string>& args);
bool StepScreenshot(Session& session, const std::vector<std::string>& args);
bool StepDrop(Session& session, const std::vector<std::string>& args);
bool StepClose(Session& session, const std::vector<std::string>& args);

// TimedOpenStep.cpp
bool StepTimedOpen(Session& session, const std::vector<std::string>& args);

}  // namespace drive
