// orbellan: makes Orbellan screen savers from the command line, over the same
// project model as the Windows program. The commands are listed in
// command_table.cpp; this only hands them the command line.
#include <cstdio>

#include "authoring/cli/command_table.h"
#include "authoring/cli/program_files.h"

int main(int argc, char** argv) {
    using namespace orb::cli;
    TerminalSink sink;
    CliContext context{sink, stdout, ProgramFolder(), {}};
    return Dispatch(Args(argv + 1, argv + argc), context);
}
