#include "viewer/win32/message_box.h"

#include <cstdio>
#include <cstdlib>

namespace orb {
namespace {

bool AppendToLog(const char* path, const std::string& text, const char* title) {
    FILE* log = std::fopen(path, "ab");
    if (!log) return false;
    std::fprintf(log, "%s: %s", title, text.c_str());
    if (text.empty() || text.back() != '\n') std::fputc('\n', log);
    return std::fclose(log) == 0;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const char* title, UINT style) {
    const char* logPath = std::getenv("ORB_REPORT_LOG");
    if (logPath && *logPath && AppendToLog(logPath, text, title)) return IDOK;
    return MessageBoxA(owner, text.c_str(), title, style);
}

void MessageBoxReports::Deliver(const Report& report) {
    if (report.kind == ReportKind::Notice) {
        ShowMessageBox(nullptr, report.message, "Information", MB_OK);
        return;
    }
    bool error = report.kind == ReportKind::Error;
    ShowMessageBox(nullptr, FormatReport(report), error ? "Error" : "Information",
                   MB_OK | (error ? MB_ICONSTOP : MB_ICONINFORMATION));
}

}  // namespace orb
