// What a reader or operation has to tell the user. The portable code never shows
// anything itself: it hands reports to a sink, and each program shows them its own
// way (a message box titled "Error" or "Information", a line on the terminal, a log).
#pragma once
#include <string>
#include <vector>

namespace orb {

// Notice: a plain box titled "Information" that shows the message alone.
enum class ReportKind { Error, Information, Notice };

struct Report {
    ReportKind kind;
    std::string message;  // the system's own words, e.g. "Invalid BMP File (too short)"
    std::string subject;  // the file or picture concerned; may be empty
};

// The text every program shows for a report: "%s (%s)\n"; a notice's message as it is.
std::string FormatReport(const Report& report);

class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void Deliver(const Report& report) = 0;

    void Error(std::string message, std::string subject = {}) {
        Deliver({ReportKind::Error, std::move(message), std::move(subject)});
    }
    void Information(std::string message, std::string subject = {}) {
        Deliver({ReportKind::Information, std::move(message), std::move(subject)});
    }
    void Notice(std::string message) { Deliver({ReportKind::Notice, std::move(message), {}}); }
};

// Keeps every report; used by tests and by hosts that show reports later.
class ReportLog final : public ReportSink {
public:
    void Deliver(const Report& report) override { reports.push_back(report); }
    bool Empty() const { return reports.empty(); }
    std::vector<Report> reports;
};

// Drops every report (for callers that only need the result).
class NullReportSink final : public ReportSink {
public:
    void Deliver(const Report&) override {}
};

}  // namespace orb
