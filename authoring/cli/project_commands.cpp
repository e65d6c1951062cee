// `new`, `set`, `background`, `music`, `effects` and `banner`: the project's
// settings and the files it plays, rather than its actors.
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "authoring/cli/commands.h"
#include "authoring/cli/full_path.h"
#include "authoring/cli/project_edit.h"
#include "authoring/import/image_codes.h"
#include "authoring/model/picture_reader.h"
#include "authoring/model/profile.h"
#include "authoring/model/project_files.h"
#include "authoring/model/settings.h"

namespace orb::cli {

namespace {

namespace fs = std::filesystem;

std::optional<std::int32_t> ParseColour(const std::string& text) {
    if (text.size() == 7 && text[0] == '#') {
        char* end = nullptr;
        long rgb = std::strtol(text.c_str() + 1, &end, 16);
        if (*end != 0) return std::nullopt;
        return std::int32_t((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    }
    std::optional<std::int32_t> value = ParseInt(text);
    if (value && (*value < 0 || *value > 0xFFFFFF)) return std::nullopt;
    return value;
}

// The project's two flags that `set` takes besides the settings.
struct ProjectFlag {
    std::string_view name;
    std::int32_t ProjectModel::*field;
};
constexpr ProjectFlag kProjectFlags[] = {{"eraser", &ProjectModel::eraser}, {"loopMusic", &ProjectModel::loopMusic}};

// "a, b or c"
std::string OneOf(std::span<const std::string_view> names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
    return text;
}

// A value as `set` takes it: a number, or a name where the setting has names.
std::optional<std::int32_t> ParseSettingValue(SettingId id, const std::string& text) {
    std::optional<std::int32_t> value = id == kMotionMode         ? ModeFromName(text)
                                        : id == kBackgroundKind   ? BackgroundFromName(text)
                                        : id == kBackgroundColour ? ParseColour(text)
                                                                  : std::nullopt;
    return value ? value : ParseInt(text);
}

std::string AllowedValues(SettingId id) {
    if (id == kMotionMode) {
        std::vector<std::string_view> names(kModeNames.begin(), kModeNames.end());
        names.push_back(ModeName(kNoMotionMode));
        return OneOf(names);
    }
    if (id == kBackgroundKind) return OneOf(kBackgroundNames);
    if (id == kBackgroundColour) return "#RRGGBB";
    return std::to_string(kSettingTable[id].minimum) + ".." + std::to_string(kSettingTable[id].maximum);
}

bool SetValue(ProjectModel& m, const std::string& key, const std::string& text, TerminalSink& sink) {
    for (const ProjectFlag& flag : kProjectFlags) {
        if (key != flag.name) continue;
        std::optional<std::int32_t> v = ParseInt(text);
        if (!v || (*v != 0 && *v != 1)) return sink.Error("Value out of range for " + key + ": allowed 0..1", text), false;
        m.*flag.field = *v;
        return true;
    }
    std::optional<SettingId> id = FindSetting(key);
    if (!id) return sink.Error("Unknown setting", key), false;
    std::optional<std::int32_t> v = ParseSettingValue(*id, text);
    if (!v || !SettingInRange(*id, *v)) {
        const std::string name(kSettingTable[*id].name);
        return sink.Error("Value out of range for " + name + ": allowed " + AllowedValues(*id), text), false;
    }
    if (*id == kBackgroundKind && *v == kImageBackground && m.backdropPath.empty())
        return sink.Error("An image background needs a picture: use background P.apj image PICTURE", text), false;
    if (*id == kBackgroundKind) m.SetBackgroundKind(*v);
    else m.settings[*id] = *v;
    return true;
}

bool SetPath(std::string& target, const std::string& given, TerminalSink& sink) {
    std::string path = FullPath(given);
    if (!AcceptablePath(path, sink)) return false;
    if (!path.empty() && !fs::is_regular_file(path)) return sink.Error("No such file", path), false;
    target = path;
    return true;
}

}  // namespace

int RunNew(CliContext& context) {
    const Args& a = context.arguments;
    if (a.empty()) return Fail(context.sink, "A project file is needed");
    bool force = a.size() > 1 && a[1] == "--force";
    if (fs::exists(a[0]) && !force) return Fail(context.sink, "The project file exists already; use --force to replace it", a[0]);
    IniProfile profile(DefaultProfilePath());
    ProjectModel model;
    model.Reset(ReadRememberedDefaults(profile, fs::current_path().string()).backgroundColour);
    int result = SaveProjectFile(a[0], model, context.sink);
    if (result == 0) profile.Write("DefaultDirectories", "DefaultOpenProject", fs::absolute(a[0]).string());
    return result;
}

int RunSet(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give KEY=VALUE pairs"), false;
        for (const std::string& pair : a) {
            std::size_t eq = pair.find('=');
            if (eq == std::string::npos) return sink.Error("Expected KEY=VALUE", pair), false;
            if (!SetValue(m, pair.substr(0, eq), pair.substr(eq + 1), sink)) return false;
        }
        return true;
    });
}

int RunBackground(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give starfield, desktop, colour [#RRGGBB] or image PATH"), false;
        std::optional<std::int32_t> kind = BackgroundFromName(a[0]);
        if (!kind) return sink.Error("Unknown background: allowed starfield, desktop, colour or image", a[0]), false;
        if (*kind == kColourBackground && a.size() > 1 && !SetValue(m, "colour", a[1], sink)) return false;
        if (*kind == kImageBackground) {
            if (a.size() < 2) return sink.Error("An image background needs a picture file"), false;
            std::optional<PackedImage> image;
            if (!SetPath(m.backdropPath, a[1], sink)) return false;
            if (std::uint32_t code = ReadPicture(m.backdropPath, ExtensionCase::Any, image))
                return sink.Error(IsUnrecognizedImage(code) ? "Not a recognized graphics format"
                                  : code == kImageTooLarge  ? "The picture is too large"
                                                            : "The picture is corrupt",
                                  m.backdropPath), false;
        }
        m.SetBackgroundKind(*kind);
        return true;
    });
}

int RunMusic(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give a music file, --none, --loop or --no-loop"), false;
        for (const std::string& x : a) {
            if (x == "--loop") m.loopMusic = 1;
            else if (x == "--no-loop") m.loopMusic = 0;
            else if (x == "--none") m.soundPaths[kMusicSound].clear();
            else if (!SetPath(m.soundPaths[kMusicSound], x, sink)) return false;
        }
        if (!EffectSoundsEnabled(m.soundPaths[kMusicSound]))
            sink.Information("A wave backing track plays without the effect sounds");
        return true;
    });
}

int RunEffects(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give --bounce, --create or --destroy with a sound file"), false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            SoundSlot slot = a[i] == "--bounce" ? kBounceSound : a[i] == "--create" ? kCreateSound : kDestroySound;
            if (a[i] != "--bounce" && a[i] != "--create" && a[i] != "--destroy")
                return sink.Error("Expected --bounce, --create or --destroy", a[i]), false;
            if (i + 1 >= a.size()) return sink.Error("A sound file (or \"\" for none) is needed", a[i]), false;
            if (!SetPath(m.soundPaths[slot], a[++i], sink)) return false;
        }
        return true;
    });
}

int RunBanner(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.size() != 1) return sink.Error("Give a picture file or --reset"), false;
        if (a[0] == "--reset") return m.bannerPath.clear(), true;
        std::string path = FullPath(a[0]);
        if (!AcceptablePath(path, sink)) return false;
        std::optional<PackedImage> image;
        if (std::uint32_t code = ReadPicture(path, ExtensionCase::WhollyLowerOrUpper, image))
            return sink.Error("Not a banner picture Orbellan can read (code " + std::to_string(code) + ")", path), false;
        m.bannerPath = path;
        return true;
    });
}

// Every name `set` takes, wrapped at 100 columns.
std::string SetHelp() {
    constexpr std::size_t kWidth = 100;
    std::string text = "Sets settings:";
    std::size_t lineStart = 0;
    auto add = [&](std::string_view name) {
        if (text.size() - lineStart + 1 + name.size() > kWidth) text += '\n', lineStart = text.size();
        else text += ' ';
        text += name;
    };
    for (const SettingEntry& setting : kSettingTable) add(setting.name);
    for (const ProjectFlag& flag : kProjectFlags) add(flag.name);
    return text + ". Lifetimes are stored values (100 minus the slider).\n"
                  "mode takes a name (BOUNCE ... RANDOM); colour takes #RRGGBB. Values out of range are refused.";
}

}  // namespace orb::cli
