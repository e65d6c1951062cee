// Reading a project named on the command line and writing it back. Every command
// that changes a project reads it, changes it in memory and writes it back only
// when all went well, so a rejected input leaves the file exactly as it was.
#pragma once
#include <functional>
#include <string>

#include "authoring/cli/cli_context.h"
#include "authoring/model/project_model.h"

namespace orb::cli {

// Reads the project at `path`; false after an error report naming it.
bool LoadProjectFile(const std::string& path, ProjectModel& model, TerminalSink& sink);

// Writes the project to `path` (compressed again when it was read from a built
// saver). The exit status.
int SaveProjectFile(const std::string& path, const ProjectModel& model, TerminalSink& sink);

// Loads the project named by the first argument, lets `change` work on it with the
// other arguments, and saves it when the change succeeded and reported no error.
// The exit status.
int ChangeProjectFile(CliContext& context, const std::function<bool(ProjectModel&, const Args&)>& change);

}  // namespace orb::cli
