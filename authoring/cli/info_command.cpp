// `info`: what a project or actor file holds, on standard output.
#include <cctype>

#include "authoring/cli/commands.h"
#include "authoring/cli/info.h"
#include "authoring/cli/project_edit.h"
#include "common/formats/actor_file.h"

namespace orb::cli {

int RunInfo(CliContext& context) {
    const Args& a = context.arguments;
    if (a.empty()) return Fail(context.sink, "A project or actor file is needed");
    bool json = a.size() > 1 && a[1] == "--json";
    std::string ext = a[0].size() >= 4 ? a[0].substr(a[0].size() - 4) : "";
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".act") {
        FrameList frames;
        if (!LoadActor(a[0], frames, Program::Authoring, context.sink)) return 1;
        std::fputs(ActorInfo(frames, json).c_str(), context.out);
        return 0;
    }
    ProjectModel model;
    if (!LoadProjectFile(a[0], model, context.sink)) return 1;
    std::fputs(ProjectInfo(model, json).c_str(), context.out);
    return 0;
}

}  // namespace orb::cli
