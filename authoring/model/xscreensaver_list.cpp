#include "xscreensaver_list.h"

#include <cctype>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "common/io/file_io.h"

namespace orb {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kResource = "programs:";

bool ShellSafe(const std::string& text) {
    for (char c : text)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '_' || c == '-' || c == '+'))
            return false;
    return !text.empty();
}

// Where the "programs:" resource begins (at the start of a line), or npos.
std::size_t FindResource(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, kResource.size(), kResource) == 0) return at;
        std::size_t next = text.find('\n', at);
        if (next == std::string::npos) break;
        at = next + 1;
    }
    return std::string::npos;
}

// The end of the physical line starting at `at` (the position of its '\n' or the text's end).
std::size_t LineEnd(const std::string& text, std::size_t at) {
    std::size_t end = text.find('\n', at);
    return end == std::string::npos ? text.size() : end;
}

bool Continues(const std::string& text, std::size_t begin, std::size_t end) {
    return end > begin && text[end - 1] == '\\';
}

}  // namespace

std::string XScreenSaverCommand(const fs::path& launcher) {
    std::string path = launcher.string();
    if (ShellSafe(path)) return path + " -root";
    std::string quoted = "'";
    for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "' -root";
}

std::optional<std::string> AddToProgramsList(const std::string& text, const std::string& label,
                                             const std::string& command) {
    std::size_t begin = FindResource(text);
    if (begin == std::string::npos) return std::nullopt;
    std::size_t end = begin;  // one past the resource's last line
    for (;;) {
        std::size_t lineEnd = LineEnd(text, end);
        bool more = Continues(text, end, lineEnd);
        end = lineEnd;
        if (!more || end >= text.size()) break;
        ++end;
    }
    if (text.substr(begin, end - begin).find(command) != std::string::npos) return text;

    std::string name;
    for (char c : label)
        if (c != '"' && c != '\\' && c != '\n') name += c;
    std::string entry = "  \"" + name + "\"  " + command + "  \\n";
    std::size_t headerEnd = LineEnd(text, begin);
    if (Continues(text, begin, headerEnd)) {  // the usual layout: entries on the lines below
        std::size_t below = headerEnd < text.size() ? headerEnd + 1 : headerEnd;
        std::string inserted = headerEnd < text.size() ? entry + "\\\n" : "\n" + entry + "\n";
        return text.substr(0, below) + inserted + text.substr(below);
    }
    // "programs:" with nothing, or one entry, on its own line
    std::string rest = text.substr(begin + kResource.size(), headerEnd - begin - kResource.size());
    std::size_t first = rest.find_first_not_of(" \t");
    std::string header = std::string(kResource) + "\t\\\n" + entry;
    header += first == std::string::npos ? "" : "\\\n\t" + rest.substr(first);
    return text.substr(0, begin) + header + text.substr(headerEnd);
}

fs::path XScreenSaverFile() {
    const char* home = std::getenv("HOME");
    fs::path file = fs::path(home && *home ? home : ".") / ".xscreensaver";
    std::error_code error;
    if (fs::is_symlink(file, error)) {
        fs::path target = fs::canonical(file, error);
        if (!error) return target;
    }
    return file;
}

bool CanListInXScreenSaver(const fs::path& file, ReportSink& sink) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    if (!bytes) {
        sink.Error("xscreensaver has no settings file yet; run xscreensaver-settings once, then install again",
                   file.string());
        return false;
    }
    if (FindResource(std::string(bytes->begin(), bytes->end())) == std::string::npos) {
        sink.Error("The xscreensaver settings file has no programs list", file.string());
        return false;
    }
    return true;
}

bool ListInXScreenSaver(const fs::path& file, const std::string& label, const std::string& command,
                        ReportSink& sink) {
    if (!CanListInXScreenSaver(file, sink)) return false;
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    std::string text(bytes->begin(), bytes->end());
    std::optional<std::string> updated = AddToProgramsList(text, label, command);
    if (!updated || *updated == text) return true;  // listed already
    std::error_code error;
    fs::perms perms = fs::status(file, error).permissions();
    std::string why;
    if (!WriteFileAtomically(file, {reinterpret_cast<const std::uint8_t*>(updated->data()), updated->size()}, &why)) {
        sink.Error("Unable to update the xscreensaver settings: " + why, file.string());
        return false;
    }
    if (!error) fs::permissions(file, perms, error);
    return true;
}

}  // namespace orb
