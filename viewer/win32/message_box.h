// Every message box of the viewer goes through here. With the environment
// variable ORB_REPORT_LOG naming a file (a switch for automated tests only), the
// box is not shown: its title and text are appended to that file instead, and the
// call answers as if OK had been pressed.
#pragma once
#include <windows.h>

#include <string>

#include "common/report.h"

namespace orb {

int ShowMessageBox(HWND owner, const std::string& text, const char* title, UINT style);

// Reports as the viewer shows them: "%s (%s)\n" in an ownerless box titled
// "Error" (stop icon) or "Information" (information icon); a notice plainly.
class MessageBoxReports final : public ReportSink {
public:
    void Deliver(const Report& report) override;
};

}  // namespace orb
