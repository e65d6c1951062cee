#include "terminal.h"

#include <cstdio>
#include <memory>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace orb::cli {

void TerminalSink::Deliver(const Report& report) {
    bool error = report.kind == ReportKind::Error;
    sawError = sawError || error;
    std::string text = report.message;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    if (!report.subject.empty()) text += " (" + report.subject + ")";
    std::fprintf(stream_, "orbellan: %s: %s\n", error ? "error" : "note", text.c_str());
}

ALProgress ProgressBar(const std::string& caption) {
    if (!isatty(fileno(stdout))) return {};  // piped or logged output stays free of bar redraws
    auto last = std::make_shared<int>(-2);
    return [caption, last](const std::string&, int percent) {
        if (percent < 0) percent = 0;
        if (percent > 100) percent = 100;
        if (percent == *last) return;
        *last = percent;
        const int width = 30, filled = percent * width / 100;
        std::string bar(std::size_t(filled), '#');
        bar.append(std::size_t(width - filled), '.');
        std::fprintf(stdout, "\r[%s] %3d%% %s", bar.c_str(), percent, caption.c_str());
        if (percent >= 100) std::fputc('\n', stdout);
        std::fflush(stdout);
    };
}

}  // namespace orb::cli
