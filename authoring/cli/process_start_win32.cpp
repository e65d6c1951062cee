#include "authoring/cli/process_start.h"

#include <process.h>

namespace orb::cli {

std::optional<int> RunAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    const ArgumentVector argv(program, arguments);
    const intptr_t status = _spawnvp(_P_WAIT, argv.Program(), argv.Pointers());
    if (status == -1) return std::nullopt;
    return int(status);
}

// Explorer opens a page in the user's default browser.
const char* BrowserOpener() { return "explorer.exe"; }

}  // namespace orb::cli
