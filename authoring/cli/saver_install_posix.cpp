#include "authoring/cli/saver_install.h"

#include "authoring/cli/program_files.h"
#include "authoring/model/project_files.h"
#include "authoring/model/xscreensaver_list.h"

namespace orb::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kInstalledViewerName = "orbellan-viewer";

fs::path Launcher(const SaverInstall& install) { return fs::path(install.target).replace_extension(); }

}  // namespace

bool CanInstallSaver(const SaverInstall& install, CliContext& context) {
    const fs::path launcher = Launcher(install);
    if (launcher.filename() == kInstalledViewerName)
        return Fail(context.sink, "That name is taken by the viewer", launcher.string()), false;
    if (install.listInXScreenSaver && !CanListInXScreenSaver(XScreenSaverFile(), context.sink)) return false;
    const fs::path viewer = NativeViewer(context.programFolder);
    if (!fs::is_regular_file(viewer)) return Fail(context.sink, "The viewer is missing beside orbellan", viewer.string()), false;
    return true;
}

int InstallSaver(const ProjectModel& model, const SaverInstall& install, CliContext& context) {
    TerminalSink& sink = context.sink;
    const fs::path& target = install.target;
    if (!BuildSaver(model, {target, {}, ProgressBar("Compressing ...")}, sink)) return 1;
    const fs::path viewer = fs::absolute(target.parent_path() / kInstalledViewerName);
    std::error_code error;
    if (!ReplaceFileWithCopy(NativeViewer(context.programFolder), viewer, error))
        return Fail(sink, "Unable to copy the viewer: " + error.message(), viewer.string());
    const fs::path launcher = fs::absolute(Launcher(install));
    if (!WriteLauncher(launcher, viewer, fs::absolute(target), sink)) return 1;
    const std::string name = target.stem().string();
    if (install.listInXScreenSaver) {
        if (!ListInXScreenSaver(XScreenSaverFile(), "Orbellan: " + name, XScreenSaverCommand(launcher), sink)) return 1;
    } else {
        sink.Information("To list it among xscreensaver's savers, install again with --xscreensaver", name);
    }
    std::fprintf(context.out, "%s\n%s\n", target.string().c_str(), launcher.string().c_str());
    return 0;
}

}  // namespace orb::cli
