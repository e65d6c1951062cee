// The authoring program's two report helpers.
// With the environment variable ORB_REPORT_LOG naming a file (a switch for
// automated tests only), no box is shown: title and text are appended to that
// file instead, as if OK had been pressed.
#pragma once
#include <windows.h>

#include <string>

#include "common/report.h"

namespace orb {

// Show "%s (%s)\n" from message and detail in a box titled "Error" or "Information".
void ReportError(const std::string& message, const std::string& detail = {});
void ReportInformation(const std::string& message, const std::string& detail = {});

// A plain message box (or its log line under ORB_REPORT_LOG).
int ShowBox(HWND owner, const std::string& text, const char* title, UINT style);

// Hands the portable code's reports to the two helpers.
class ReportBoxSink final : public ReportSink {
public:
    void Deliver(const Report& report) override;
};

}  // namespace orb
