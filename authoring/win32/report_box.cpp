#include "authoring/win32/report_box.h"

#include <cstdio>
#include <cstdlib>

namespace orb {

int ShowBox(HWND owner, const std::string& text, const char* title, UINT style) {
    if (const char* log = std::getenv("ORB_REPORT_LOG"); log && *log) {
        if (std::FILE* file = std::fopen(log, "ab")) {
            std::fprintf(file, "%s: %s", title, text.c_str());
            if (text.empty() || text.back() != '\n') std::fputc('\n', file);
            std::fclose(file);
        }
        return IDOK;
    }
    return MessageBoxA(owner, text.c_str(), title, style);
}

namespace {

void Show(const std::string& message, const std::string& detail, const char* title, UINT icon) {
    // A missing detail would print "()": name nothing in its place instead.
    std::string text = FormatReport({ReportKind::Error, message, detail.empty() ? "no file" : detail});
    ShowBox(nullptr, text, title, MB_OK | icon | MB_TASKMODAL);
}

}  // namespace

void ReportError(const std::string& message, const std::string& detail) {
    Show(message, detail, "Error", MB_ICONSTOP);
}

void ReportInformation(const std::string& message, const std::string& detail) {
    Show(message, detail, "Information", MB_ICONINFORMATION);
}

void ReportBoxSink::Deliver(const Report& report) {
    if (report.kind == ReportKind::Notice) ShowBox(GetActiveWindow(), report.message, "Information", MB_OK);
    else if (report.kind == ReportKind::Error) ReportError(report.message, report.subject);
    else ReportInformation(report.message, report.subject);
}

}  // namespace orb
