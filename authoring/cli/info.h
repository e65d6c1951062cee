// `orbellan info`: what a project or actor file holds, as text or JSON.
#pragma once
#include <string>

#include "authoring/model/project_model.h"

namespace orb::cli {

std::string ProjectInfo(const ProjectModel& model, bool json);
// An actor file's frames (the list holds just that actor).
std::string ActorInfo(const FrameList& frames, bool json);

}  // namespace orb::cli
