#include "profile.h"

#include <cstdlib>
#include <sstream>

#include "common/io/file_io.h"

namespace orb {

namespace {
std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}
}  // namespace

IniProfile::IniProfile(std::filesystem::path path) : path_(std::move(path)) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path_);
    if (!bytes) return;
    std::istringstream in(std::string(bytes->begin(), bytes->end()));
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
            sections_[section][Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
        }
    }
}

std::string IniProfile::Read(const std::string& section, const std::string& key,
                             const std::string& fallback) const {
    auto s = sections_.find(section);
    if (s == sections_.end()) return fallback.substr(0, 255);
    auto k = s->second.find(key);
    return (k == s->second.end() ? fallback : k->second).substr(0, 255);
}

void IniProfile::Write(const std::string& section, const std::string& key, const std::string& value) {
    sections_[section][key] = value;
    Save();
}

void IniProfile::Save() const {
    std::string text;
    for (const auto& [section, keys] : sections_) {
        text += "[" + section + "]\n";
        for (const auto& [key, value] : keys) text += key + "=" + value + "\n";
        text += "\n";
    }
    std::error_code ignored;
    std::filesystem::create_directories(path_.parent_path(), ignored);
    // Remembered folders are a convenience: failing to store them never stops the work.
    WriteFileAtomically(path_, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::filesystem::path DefaultProfilePath() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "orbellan" / "orbellan.ini";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config" / "orbellan" / "orbellan.ini";
}

std::uint32_t ParseProfileColour(const std::string& text) {
    if (text.empty() || text[0] == '-') return 0xFFFFFF;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str()) return 0xFFFFFF;
    return static_cast<std::uint32_t>(value);
}

RememberedDefaults ReadRememberedDefaults(Profile& profile, const std::string& currentFolder) {
    RememberedDefaults d;
    d.importPath = profile.Read(kDirectoriesSection, kOpenPathKey, "");
    if (d.importPath.empty()) {
        d.importPath = currentFolder.substr(0, 256);
        profile.Write(kDirectoriesSection, kOpenPathKey, d.importPath);
        profile.Write(kDirectoriesSection, kOpenProjectKey, (std::filesystem::path(d.importPath) / "Untitled.apj").string());
    }
    d.projectPath = profile.Read(kDirectoriesSection, kOpenProjectKey, "");
    d.backgroundColour = ParseProfileColour(profile.Read(kColoursSection, kDefaultColourKey, "-"));
    return d;
}

}  // namespace orb
