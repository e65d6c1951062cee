// How the command line talks to the user: reports on standard error, a progress
// bar for long work when standard output is a terminal.
#pragma once
#include <cstdio>
#include <string>

#include "common/archive/progress.h"
#include "common/report.h"

namespace orb::cli {

// Prints "orbellan: error: MESSAGE (SUBJECT)" on standard error (or the stream
// given) and remembers that an error came.
class TerminalSink final : public ReportSink {
public:
    explicit TerminalSink(std::FILE* stream = stderr) : stream_(stream) {}
    void Deliver(const Report& report) override;
    bool sawError = false;

private:
    std::FILE* stream_;
};

// A progress bar "[#####.....]  50% caption" redrawn in place on standard output;
// silent when standard output is not a terminal.
ALProgress ProgressBar(const std::string& caption);

}  // namespace orb::cli
