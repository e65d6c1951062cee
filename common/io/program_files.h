// Finding the files a program ships with from where the program itself lies. A
// build tree keeps them in its own layout (<build>/bin/PROGRAM, <build>/samples/...);
// an installed prefix keeps the data in <prefix>/share/orbellan beside
// <prefix>/bin/PROGRAM; an unpacked Windows zip keeps everything in one folder.
#pragma once
#include <filesystem>
#include <vector>

namespace orb {

// The folder of the running program as the system reports it (/proc/self/exe,
// symbolic links resolved), or empty where the system does not say.
std::filesystem::path RunningProgramFolder();

// The first of `candidates` (each relative to `programFolder`, or absolute) that
// names an existing file, made normal; empty when none does or the folder is empty.
std::filesystem::path FirstExistingFile(const std::filesystem::path& programFolder,
                                        const std::vector<std::filesystem::path>& candidates);

// An installed program's data folder relative to the program's folder, as the
// install rules lay it out ("../share/orbellan" for the usual prefixes).
std::filesystem::path InstalledDataFolder();

}  // namespace orb
