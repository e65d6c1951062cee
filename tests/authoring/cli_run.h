// Running the orbellan command line from tests, in a folder of its own.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace orb::test {

struct CliRun {
    int status;
    std::string out;
};

// Runs orbellan in `home` with HOME and the XDG folders inside it, so no test touches
// the real user's files. `environment` adds NAME=VALUE settings.
inline CliRun Orbellan(const std::string& arguments, const std::filesystem::path& home, const std::string& environment = "") {
    std::string command = "cd '" + home.string() + "' && HOME='" + home.string() + "' XDG_CONFIG_HOME='" +
                          (home / "config").string() + "' XDG_DATA_HOME='" + (home / "data").string() + "' " +
                          environment + " '" ORB_CLI_PATH "' " + arguments + " 2>&1";
    CliRun run{0, {}};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace orb::test
