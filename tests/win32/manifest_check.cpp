// Reads the application manifest (resource type 24, number 1) of each program
// named and checks what it declares: per-monitor DPI awareness (version 2, with
// the older per-monitor and system-wide forms to fall back on) and, for the
// authoring program, version 6 of the common controls.
//   manifest_check PROGRAM...   (exits with the number of failed checks)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void Check(bool condition, const std::string& program, const char* what) {
    if (condition) return;
    std::printf("FAILED: %s: %s\n", program.c_str(), what);
    ++failures;
}

// The manifest's text, or empty when the program has none.
std::string ManifestOf(const std::string& program) {
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (bytes) text.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return text;
}

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string program = argv[i];
        const std::string manifest = ManifestOf(program);
        Check(!manifest.empty(), program, "has an application manifest");
        if (manifest.empty()) continue;
        Check(Has(manifest, "<dpiAwareness") && Has(manifest, ">PerMonitorV2, PerMonitor</dpiAwareness>"), program,
              "declares per-monitor awareness, version 2 first");
        Check(Has(manifest, "<dpiAware") && Has(manifest, ">true/pm</dpiAware>"), program,
              "declares the per-monitor form older Windows reads (system-wide where it knows no more)");
        const bool authoring = Has(program, "Orbellan") || Has(program, "orbellan");
        Check(Has(manifest, "Microsoft.Windows.Common-Controls") == authoring &&
                  Has(manifest, "version=\"6.0.0.0\"") == authoring,
              program, authoring ? "asks for the common controls, version 6" : "asks for no common controls");
        std::printf("%s: manifest of %zu bytes checked\n", program.c_str(), manifest.size());
    }
    return failures;
}
