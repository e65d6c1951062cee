// The remembered folders and colours: strings by section and key. On Linux they live
// in an INI file, $XDG_CONFIG_HOME/orbellan/orbellan.ini (or ~/.config/orbellan/),
// with the same sections and keys the Windows profile uses.
#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace orb {

// Where the remembered values live, on every system.
inline constexpr char kDirectoriesSection[] = "DefaultDirectories";
inline constexpr char kOpenPathKey[] = "DefaultOpenPath";
inline constexpr char kOpenProjectKey[] = "DefaultOpenProject";
inline constexpr char kColoursSection[] = "DefaultColors";
inline constexpr char kDefaultColourKey[] = "DefaultColor";

class Profile {
public:
    virtual ~Profile() = default;
    // The value, or `fallback` when the key is missing. Values are cut to 255 characters.
    virtual std::string Read(const std::string& section, const std::string& key,
                             const std::string& fallback) const = 0;
    virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// An INI file read at construction and rewritten (atomically) on every Write.
class IniProfile final : public Profile {
public:
    explicit IniProfile(std::filesystem::path path);
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    void Write(const std::string& section, const std::string& key, const std::string& value) override;
    const std::filesystem::path& Path() const { return path_; }

private:
    void Save() const;
    std::filesystem::path path_;
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

// Where the INI file lies for the user: from XDG_CONFIG_HOME, else HOME/.config.
std::filesystem::path DefaultProfilePath();

// The remembered values a New starts from (the rules of the program's reset).
struct RememberedDefaults {
    std::string importPath;   // "DefaultOpenPath"
    std::string projectPath;  // "DefaultOpenProject"
    std::uint32_t backgroundColour = 0xFFFFFF;  // "DefaultColor", white when "-"
};

// Reads the defaults; an empty "DefaultOpenPath" becomes `currentFolder`, written back
// at once together with "DefaultOpenProject" = currentFolder + "/Untitled.apj".
RememberedDefaults ReadRememberedDefaults(Profile& profile, const std::string& currentFolder);

// A colour value as the profile keeps it: signed decimal, leading digits only; "-"
// (or nothing readable) means white.
std::uint32_t ParseProfileColour(const std::string& text);

}  // namespace orb
