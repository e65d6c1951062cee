// Starting a show for a Linux host: the engine's state with the motion modes, the
// host's display and players, reports on the standard error stream, and the
// project (the bundled demo when none is named).
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "common/report.h"
#include "viewer/engine/platform.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/host/options.h"

namespace orb::host {

// Prints every report as "viewer: Error: <message> (<subject>)".
class StderrReports final : public ReportSink {
public:
    void Deliver(const Report& report) override;
};

// The bundled demo project, found from the program's own path: in its build tree
// ("<build>/samples/demo.apj") or its installed data folder; empty when missing.
std::string DemoProjectPath();

struct StartedShow {
    std::unique_ptr<ViewerState> state;  // none when the show could not start
    int exitCode = 0;                    // the code to end with when there is no show
};

// Builds the state on `platform`, loads the project named by the options (or the
// demo), applies --mode and starts the show for a screen of `platform.screen`.
StartedShow StartHostShow(const HostOptions& options, const Platform& platform);

// The show's exit code once it has asked to end, if it has.
inline std::optional<int> ShowEnded(const ViewerState& state) { return state.QuitCode(); }

}  // namespace orb::host
