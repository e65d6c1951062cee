#include "report.h"

namespace orb {

std::string FormatReport(const Report& report) {
    if (report.kind == ReportKind::Notice) return report.message;
    return report.message + " (" + report.subject + ")\n";
}

}  // namespace orb
