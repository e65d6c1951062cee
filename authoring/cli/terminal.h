// How the command line talks to the user: reports on standard error, a progress
// bar for long work when standard output is a terminal.
#pragma once
#include <string>

#include "common/archive/progress.h"
#include "common/report.h"

namespace orb::cli {

// Prints "orbellan: error: MESSAGE (SUBJECT)" and remembers that an error came.
class TerminalSink final : public ReportSink {
public:
    void Deliver(const Report& report) override;
    bool sawError = false;
};

// A progress bar "[#####.....]  50% caption" redrawn in place on standard output;
// silent when standard output is not a terminal.
ALProgress ProgressBar(const std::string& caption);

}  // namespace orb::cli
