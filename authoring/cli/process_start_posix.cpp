#include "authoring/cli/process_start.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace orb::cli {

std::optional<int> RunAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    const ArgumentVector argv(program, arguments);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv.Program(), nullptr, nullptr, argv.Pointers(), environ) != 0) return std::nullopt;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

const char* BrowserOpener() { return "xdg-open"; }

}  // namespace orb::cli
