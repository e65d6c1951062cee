// Where orbellan finds the programs and the page it works with, from its own
// folder: beside itself (a build's bin folder, an unpacked Windows zip), in the
// build tree's layout, or in an installed prefix's data folder.
#pragma once
#include <filesystem>

namespace orb::cli {

// The folder orbellan runs from; the others look from the folder they are given.
std::filesystem::path ProgramFolder();

// The help page; empty when it is nowhere to be found.
std::filesystem::path HelpPage(const std::filesystem::path& programFolder);

// The Windows viewer that built savers carry; empty when it is nowhere to be found.
std::filesystem::path WindowsViewer(const std::filesystem::path& programFolder);

// The viewer that plays projects on this system: `viewer` beside orbellan
// (Viewer.scr on Windows). It may be missing; callers say so.
std::filesystem::path NativeViewer(const std::filesystem::path& programFolder);

}  // namespace orb::cli
