#include "authoring/win32/authoring_app.h"

#include <commctrl.h>

#include <cctype>

#include "authoring/win32/project_dialog.h"

namespace orb {
namespace {

// Turns Escape key messages into nothing before any dialog sees them.
LRESULT CALLBACK DropEscape(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        bool key = message->message == WM_KEYDOWN || message->message == WM_KEYUP || message->message == WM_CHAR;
        if (key && message->wParam == VK_ESCAPE) message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class EscapeFilter {
public:
    EscapeFilter() : hook_(SetWindowsHookExA(WH_GETMESSAGE, DropEscape, nullptr, GetCurrentThreadId())) {}
    ~EscapeFilter() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    EscapeFilter(const EscapeFilter&) = delete;
    EscapeFilter& operator=(const EscapeFilter&) = delete;

private:
    HHOOK hook_;
};

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : folder.substr(0, slash + 1);
}

}  // namespace

std::vector<std::string> CommandLineActors(int argc, char** argv) {
    std::vector<std::string> actors;
    for (int i = 0; i < argc && actors.size() < kMaxCommandLineActors; ++i) {
        std::string argument = argv[i];
        if (argument.size() > kMaxPathCharacters) continue;
        for (char& c : argument) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (argument.find(".act") != std::string::npos) actors.push_back(argument);
    }
    return actors;
}

int AuthoringApp::Run(HINSTANCE instance, int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    std::vector<std::string> actors = CommandLineActors(argc, argv);
    EscapeFilter escape;
    ProjectDialog dialog(ProgramFolder(), actors.empty() ? std::string() : actors.front(),
                         static_cast<int>(actors.size()));
    dialog.Run(instance);
    DeleteFileA((ProgramFolder() + "Viewer.apj").c_str());
    return 0;
}

}  // namespace orb
