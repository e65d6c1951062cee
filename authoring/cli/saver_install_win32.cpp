#include "authoring/cli/saver_install.h"

#include "authoring/cli/program_files.h"
#include "authoring/model/project_files.h"

namespace orb::cli {

bool CanInstallSaver(const SaverInstall& install, CliContext& context) {
    if (install.listInXScreenSaver) return Fail(context.sink, "--xscreensaver is for Linux"), false;
    return true;
}

int InstallSaver(const ProjectModel& model, const SaverInstall& install, CliContext& context) {
    const BuildRequest request{install.target, NativeViewer(context.programFolder), ProgressBar("Compressing ...")};
    if (!BuildSaver(model, request, context.sink)) return 1;
    std::fprintf(context.out, "%s\n", install.target.string().c_str());
    return 0;
}

}  // namespace orb::cli
