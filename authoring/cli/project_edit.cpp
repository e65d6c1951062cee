#include "authoring/cli/project_edit.h"

#include <filesystem>

#include "authoring/model/project_files.h"

namespace orb::cli {

namespace fs = std::filesystem;

bool LoadProjectFile(const std::string& path, ProjectModel& model, TerminalSink& sink) {
    std::error_code error;
    if (!AcceptablePath(path, sink)) return false;
    if (!fs::exists(path, error)) {
        sink.Error("No such project file", path);
        return false;
    }
    return LoadProject(path, model, sink, ProgressBar("Decompressing ..."));
}

int SaveProjectFile(const std::string& path, const ProjectModel& model, TerminalSink& sink) {
    if (model.compressed) return BuildSaver(model, {path, {}, ProgressBar("Compressing ...")}, sink) ? 0 : 1;
    return SaveProject(model, path, sink) ? 0 : 1;
}

int ChangeProjectFile(CliContext& context, const std::function<bool(ProjectModel&, const Args&)>& change) {
    const Args& args = context.arguments;
    if (args.empty()) return Fail(context.sink, "A project file is needed");
    ProjectModel model;
    if (!LoadProjectFile(args[0], model, context.sink)) return 1;
    if (!change(model, Args(args.begin() + 1, args.end())) || context.sink.sawError) {
        context.sink.Information("The project was left unchanged", args[0]);
        return 1;
    }
    return SaveProjectFile(args[0], model, context.sink);
}

}  // namespace orb::cli
