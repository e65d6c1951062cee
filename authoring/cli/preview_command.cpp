// `preview`: the project played in this system's viewer, with the viewer's own
// options passed on.
#include <filesystem>

#include "authoring/cli/commands.h"
#include "authoring/cli/process_start.h"
#include "authoring/cli/program_files.h"

namespace orb::cli {

int RunPreview(CliContext& context) {
    const Args& a = context.arguments;
    if (a.empty()) return Fail(context.sink, "A project file is needed");
    const std::filesystem::path viewer = NativeViewer(context.programFolder);
    if (!std::filesystem::exists(viewer))
        return Fail(context.sink, "Unable to find Orbellan's Screensaver viewer: screensavers cannot be previewed",
                    viewer.string());
    if (!std::filesystem::is_regular_file(a[0])) return Fail(context.sink, "No such project file", a[0]);
    // The project first, then the viewer's options as given.
    const std::optional<int> status = RunAndWait(viewer, a);
    if (!status) return Fail(context.sink, "Unable to start Orbellan's Screensaver viewer", viewer.string());
    return *status;
}

}  // namespace orb::cli
