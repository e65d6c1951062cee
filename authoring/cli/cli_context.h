// What every command works with, handed to it rather than found: where reports
// and results go, the folder orbellan runs from, and the command's own arguments
// (the words after its name).
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/cli/terminal.h"

namespace orb::cli {

using Args = std::vector<std::string>;

struct CliContext {
    TerminalSink& sink;                   // errors and notes
    std::FILE* out;                       // results: help, info, the paths of built savers
    std::filesystem::path programFolder;  // where the viewers and the help page are looked for
    Args arguments;
};

// Reports the error and gives the exit status of a failed command.
inline int Fail(ReportSink& sink, const std::string& message, const std::string& subject = {}) {
    sink.Error(message, subject);
    return 1;
}

}  // namespace orb::cli
