#include "report.h"

namespace orb {

std::string FormatReport(const Report& report) {
    return report.message + " (" + report.subject + ")\n";
}

}  // namespace orb
