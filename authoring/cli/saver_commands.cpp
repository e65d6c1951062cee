// `build` and `install`: a project made into a saver, in a folder of the user's
// choosing or where the system looks for screen savers.
#include <filesystem>

#include "authoring/cli/commands.h"
#include "authoring/cli/program_files.h"
#include "authoring/cli/project_edit.h"
#include "authoring/cli/saver_install.h"
#include "authoring/model/profile.h"
#include "authoring/model/project_files.h"

namespace orb::cli {

namespace {

namespace fs = std::filesystem;

// NAME from --name, forced to the .apj extension; the folder from --out/--into.
// The folder may be missing; the caller makes it once the work can start.
std::optional<fs::path> SaverPath(const Args& a, const char* folderOption, const fs::path& defaultFolder,
                                  TerminalSink& sink, fs::path* viewer) {
    std::string name;
    fs::path folder = defaultFolder;
    for (std::size_t i = 1; i < a.size(); ++i) {
        bool hasValue = i + 1 < a.size();
        if (a[i] == "--name" && hasValue) name = a[++i];
        else if (a[i] == folderOption && hasValue) folder = a[++i];
        else if (a[i] == "--viewer" && hasValue && viewer) *viewer = a[++i];
        else return sink.Error("Unknown option or missing value", a[i]), std::nullopt;
    }
    if (name.empty()) return sink.Error("A saver name is needed (--name NAME)"), std::nullopt;
    if (name.find_first_of("/\\") != std::string::npos) return sink.Error("The name must not contain a folder", name), std::nullopt;
    std::error_code error;
    if (!AcceptablePath(folder.string(), sink)) return std::nullopt;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
        return sink.Error("Not a folder", folder.string()), std::nullopt;
    return folder / ForceProjectExtension(name);
}

// The folders from `folder` up that do not exist yet, deepest first.
std::vector<fs::path> MissingFolders(fs::path folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (folder = fs::absolute(folder, error); !folder.empty() && !fs::exists(folder, error);
         folder = folder.parent_path()) {
        missing.push_back(folder);
        if (folder == folder.parent_path()) break;
    }
    return missing;
}

// Makes the folder a saver is written into, with any missing parents.
bool MakeFolder(const fs::path& folder, TerminalSink& sink) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) sink.Error("Unable to make the folder: " + error.message(), folder.string());
    return !error;
}

}  // namespace

int RunBuild(CliContext& context) {
    const Args& a = context.arguments;
    TerminalSink& sink = context.sink;
    if (a.empty()) return Fail(sink, "A project file is needed");
    fs::path viewer = WindowsViewer(context.programFolder);
    std::optional<fs::path> target = SaverPath(a, "--out", fs::current_path(), sink, &viewer);
    if (!target) return 1;
    if (!viewer.empty() && !fs::exists(viewer))
        return Fail(sink, "Unable to locate chosen Viewer (" + viewer.string() + "); please copy this file to your project directory");
    ProjectModel model;
    if (!LoadProjectFile(a[0], model, sink)) return 1;
    if (viewer.empty()) sink.Information("Viewer.scr was not found beside orbellan: only the project is built", target->string());
    const std::vector<fs::path> made = MissingFolders(target->parent_path());
    if (!MakeFolder(target->parent_path(), sink)) return 1;
    if (!BuildSaver(model, {*target, viewer, ProgressBar("Compressing ...")}, sink)) {
        std::error_code error;
        for (const fs::path& folder : made) fs::remove(folder, error);  // only while still empty
        return 1;
    }
    IniProfile(DefaultProfilePath()).Write("DefaultDirectories", "DefaultOpenProject", fs::absolute(*target).string());
    std::fprintf(context.out, "%s\n", target->string().c_str());
    return 0;
}

int RunInstall(CliContext& context) {
    TerminalSink& sink = context.sink;
    if (context.arguments.empty()) return Fail(sink, "A project file is needed");
    Args a;
    SaverInstall install;
    for (const std::string& x : context.arguments) {
        if (x == "--xscreensaver") install.listInXScreenSaver = true;
        else a.push_back(x);
    }
    std::optional<fs::path> target = SaverPath(a, "--into", InstallFolder(), sink, nullptr);
    if (!target) return 1;
    install.target = *target;
    if (!CanInstallSaver(install, context)) return 1;
    ProjectModel model;
    if (!LoadProjectFile(a[0], model, sink)) return 1;
    if (!MakeFolder(target->parent_path(), sink)) return 1;
    return InstallSaver(model, install, context);
}

}  // namespace orb::cli
