#include "authoring/win32/report_box.h"

#include <cstdio>
#include <cstdlib>

namespace orb {

unsigned ReportMask = kReportAll;

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

bool Show(bool condition, unsigned classBit, const std::string& message, const std::string& detail,
          const char* title, UINT icon) {
    if (!condition) return false;
    // A missing detail would print "()": name nothing in its place instead.
    std::string text = FormatReport({ReportKind::Error, message, detail.empty() ? "no file" : detail});
    if (ReportMask & classBit) ShowBox(nullptr, text, title, MB_OK | icon | MB_TASKMODAL);
    return true;
}

}  // namespace

bool ReportError(bool condition, const std::string& message, const std::string& detail) {
    return Show(condition, 1, message, detail, "Error", MB_ICONSTOP);
}

bool ReportInformation(bool condition, const std::string& message, const std::string& detail) {
    return Show(condition, 4, message, detail, "Information", MB_ICONINFORMATION);
}

void ReportBoxSink::Deliver(const Report& report) {
    if (report.kind == ReportKind::Notice) ShowBox(GetActiveWindow(), report.message, "Information", MB_OK);
    else if (report.kind == ReportKind::Error) ReportError(true, report.message, report.subject);
    else ReportInformation(true, report.message, report.subject);
}

}  // namespace orb
