#include "authoring/cli/program_files.h"

#include "common/io/program_files.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace orb::cli {

namespace fs = std::filesystem;

constexpr const char* kHelpPageName = "orbellan-help.html";
constexpr const char* kWindowsViewerName = "Viewer.scr";

fs::path ProgramFolder() {
#ifdef _WIN32
    // Long enough for any path Windows hands out (32767 wide characters).
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
    if (length == 0 || length >= name.size()) return {};
    name.resize(length);
    return fs::path(name).parent_path();
#else
    return RunningProgramFolder();
#endif
}

fs::path HelpPage(const fs::path& programFolder) {
    return FirstExistingFile(programFolder, {kHelpPageName, InstalledDataFolder() / kHelpPageName});
}

fs::path WindowsViewer(const fs::path& programFolder) {
    // A native build cross-builds the Windows programs into <build>/win32/bin.
    return FirstExistingFile(programFolder, {kWindowsViewerName, fs::path("../win32/bin") / kWindowsViewerName,
                                               InstalledDataFolder() / kWindowsViewerName});
}

fs::path NativeViewer(const fs::path& programFolder) {
#ifdef _WIN32
    return programFolder / kWindowsViewerName;
#else
    return programFolder / "viewer";
#endif
}

}  // namespace orb::cli
