#include "viewer/host/show.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

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
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        // <build>/bin/viewer -> <build>/samples/demo.apj
        const std::filesystem::path beside = self.parent_path().parent_path() / "samples" / "demo.apj";
        if (std::filesystem::exists(beside, ec)) return beside.string();
    }
#ifdef ORB_DEMO_PROJECT
    if (std::filesystem::exists(ORB_DEMO_PROJECT, ec)) return ORB_DEMO_PROJECT;
#endif
    return {};
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
