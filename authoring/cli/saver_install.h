// The part of `install` that differs between systems. Windows runs NAME.scr from
// the system folder; Linux runs a launcher NAME that plays NAME.apj with
// orbellan's own copy of the viewer, so the saver keeps working when the build
// folder goes away.
#pragma once
#include <filesystem>

#include "authoring/cli/cli_context.h"
#include "authoring/model/project_model.h"

namespace orb::cli {

struct SaverInstall {
    std::filesystem::path target;  // NAME.apj in the folder of savers
    bool listInXScreenSaver = false;
};

// What can be checked before the project is read. False after an error report.
bool CanInstallSaver(const SaverInstall& install, CliContext& context);

// Writes the saver into its folder (which exists) and prints the files a user
// runs. The exit status.
int InstallSaver(const ProjectModel& model, const SaverInstall& install, CliContext& context);

}  // namespace orb::cli
