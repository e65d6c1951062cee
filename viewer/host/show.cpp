#include "viewer/host/show.h"

#include <cstdio>

#include "common/io/program_files.h"
#include "viewer/modes/modes.h"

namespace orb::host {

void StderrReports::Deliver(const Report& report) {
    const char* kind = report.kind == ReportKind::Error ? "Error" : "Information";
    // The file in parentheses when there is one; no empty pair otherwise.
    std::string text = report.message;
    if (!report.subject.empty()) text += " (" + report.subject + ")";
    std::fprintf(stderr, "viewer: %s: %s\n", kind, text.c_str());
}

std::string DemoProjectPath() {
    return FirstExistingFile(RunningProgramFolder(), {"../samples/demo.apj", InstalledDataFolder() / "demo.apj"}).string();
}

StartedShow StartHostShow(const HostOptions& options, const Platform& platform) {
    StartedShow started;
    const std::string project = options.project.empty() ? DemoProjectPath() : options.project;
    if (project.empty()) {
        std::fprintf(stderr, "viewer: the demo project was not found; name a project (.apj)\n");
        started.exitCode = 2;
        return started;
    }
    auto state = std::make_unique<ViewerState>(platform, [](int mode) { return CreateModeSprite(mode); });
    if (!state->Initialise(project)) {
        started.exitCode = state->QuitCode().value_or(0);
        return started;
    }
    if (options.mode >= 0) state->settings.motionMode = options.mode;
    if (!state->StartShow() || state->QuitCode()) {
        started.exitCode = state->QuitCode().value_or(1);
        return started;
    }
    started.state = std::move(state);
    return started;
}

}  // namespace orb::host
