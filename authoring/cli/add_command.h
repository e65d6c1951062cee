// `orbellan add`: pictures and actor files into a project, with what the command
// line offers beyond the import dialog: sprite sheets, files of several types as
// actors of their own, and photos brought down to a sprite's size.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/cli/terminal.h"
#include "authoring/model/project_model.h"

namespace orb::cli {

// Pictures longer than this on either side are scaled down to it unless the user
// asks for their full size.
inline constexpr std::int32_t kLargestImportSide = 1024;

// Adds the files that `arguments` name (with the add command's options) to
// `model`. False when anything was refused or failed (reported as errors).
bool AddFiles(ProjectModel& model, const std::vector<std::string>& arguments, TerminalSink& sink);

}  // namespace orb::cli
