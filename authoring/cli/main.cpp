// orbellan: makes Orbellan screen savers from the command line, over the same
// project model as the Windows program. Every command that changes a project
// reads it, changes it in memory and writes it back only when all went well, so a
// rejected input leaves the file exactly as it was.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#else
#include <process.h>
#endif

#include "authoring/cli/add_command.h"
#include "authoring/cli/full_path.h"
#include "authoring/cli/info.h"
#include "authoring/cli/program_files.h"
#include "authoring/cli/terminal.h"
#include "authoring/model/modify_actor.h"
#include "authoring/model/picture_reader.h"
#include "authoring/model/profile.h"
#include "authoring/model/project_files.h"
#include "authoring/model/xscreensaver_list.h"
#include "authoring/import/image_codes.h"
#include "common/formats/actor_file.h"

namespace orb::cli {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    std::function<int(const Args&, TerminalSink&)> run;
};

int Fail(TerminalSink& sink, const std::string& message, const std::string& subject = {}) {
    sink.Error(message, subject);
    return 1;
}

bool Load(const std::string& path, ProjectModel& model, TerminalSink& sink) {
    std::error_code error;
    if (!AcceptablePath(path, sink)) return false;
    if (!fs::exists(path, error)) {
        sink.Error("No such project file", path);
        return false;
    }
    return LoadProject(path, model, sink, ProgressBar("Decompressing ..."));
}

// A built saver's project stays compressed when it is changed.
int Save(const std::string& path, const ProjectModel& model, TerminalSink& sink) {
    if (model.compressed) return BuildSaver(model, {path, {}, ProgressBar("Compressing ...")}, sink) ? 0 : 1;
    return SaveProject(model, path, sink) ? 0 : 1;
}

// Loads the project named by args[0], lets `change` work on it, saves it when the
// change succeeded and reported no error.
int Change(const Args& args, TerminalSink& sink, const std::function<bool(ProjectModel&, const Args&)>& change) {
    if (args.empty()) return Fail(sink, "A project file is needed");
    ProjectModel model;
    if (!Load(args[0], model, sink)) return 1;
    if (!change(model, Args(args.begin() + 1, args.end())) || sink.sawError) {
        sink.Information("The project was left unchanged", args[0]);
        return 1;
    }
    return Save(args[0], model, sink);
}

// ACTOR as a 1-based position or as the actor's name.
std::optional<std::size_t> FindActor(const ProjectModel& model, const std::string& which, TerminalSink& sink) {
    std::vector<GXDrawingSurface*> actors = model.Actors();
    if (std::optional<std::int32_t> n = ParseInt(which)) {
        if (*n >= 1 && std::size_t(*n) <= actors.size()) return std::size_t(*n - 1);
    } else {
        for (std::size_t i = 0; i < actors.size(); ++i)
            if (actors[i]->name == which) return i;
    }
    sink.Error("No such actor; the project has " + std::to_string(actors.size()) + " actor(s)", which);
    return std::nullopt;
}

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

bool SetValue(ProjectModel& m, const std::string& key, const std::string& text, TerminalSink& sink) {
    if (key == "eraser" || key == "loopMusic") {
        std::optional<std::int32_t> v = ParseInt(text);
        if (!v || (*v != 0 && *v != 1)) return sink.Error("Value out of range for " + key + ": allowed 0..1", text), false;
        (key == "eraser" ? m.eraser : m.loopMusic) = *v;
        return true;
    }
    std::optional<SettingId> id = FindSetting(key);
    if (!id) return sink.Error("Unknown setting", key), false;
    std::optional<std::int32_t> v = *id == kMotionMode         ? ModeFromName(text)
                                    : *id == kBackgroundKind   ? BackgroundFromName(text)
                                    : *id == kBackgroundColour ? ParseColour(text)
                                                               : std::nullopt;
    if (!v) v = ParseInt(text);
    const SettingSpec& spec = kSettingSpecs[*id];
    if (!v || !SettingInRange(*id, *v)) {
        std::string allowed = *id == kMotionMode ? "BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN, RANDOMDRIFT, STARBURST, SPLAT, RANDOM or none"
                              : *id == kBackgroundKind ? "starfield, desktop, colour or image"
                              : *id == kBackgroundColour ? "#RRGGBB"
                              : std::to_string(spec.minimum) + ".." + std::to_string(spec.maximum);
        return sink.Error("Value out of range for " + std::string(spec.key) + ": allowed " + allowed, text), false;
    }
    if (*id == kBackgroundKind && *v == 3 && m.backdropPath.empty())
        return sink.Error("An image background needs a picture: use background P.apj image PICTURE", text), false;
    m.settings[*id] = *v;
    return true;
}

bool SetPath(std::string& target, const std::string& given, TerminalSink& sink) {
    std::string path = FullPath(given);
    if (!AcceptablePath(path, sink)) return false;
    if (!path.empty() && !fs::is_regular_file(path)) return sink.Error("No such file", path), false;
    target = path;
    return true;
}

int RunNew(const Args& a, TerminalSink& sink) {
    if (a.empty()) return Fail(sink, "A project file is needed");
    bool force = a.size() > 1 && a[1] == "--force";
    if (fs::exists(a[0]) && !force) return Fail(sink, "The project file exists already; use --force to replace it", a[0]);
    IniProfile profile(DefaultProfilePath());
    ProjectModel model;
    model.Reset(ReadRememberedDefaults(profile, fs::current_path().string()).backgroundColour);
    int result = Save(a[0], model, sink);
    if (result == 0) profile.Write("DefaultDirectories", "DefaultOpenProject", fs::absolute(a[0]).string());
    return result;
}

int RunAdd(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) { return AddFiles(m, a, sink); });
}

int RunRemove(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.size() != 1) return sink.Error("Name one actor to remove"), false;
        std::optional<std::size_t> actor = FindActor(m, a[0], sink);
        return actor && m.RemoveActor(*actor);
    });
}

int RunMove(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.size() != 2) return sink.Error("Give an actor and up, down or a position"), false;
        std::optional<std::size_t> actor = FindActor(m, a[0], sink);
        if (!actor) return false;
        std::optional<std::int32_t> to = ParseInt(a[1]);
        int places = a[1] == "up" ? -1 : a[1] == "down" ? 1 : to ? *to - 1 - int(*actor) : 0;
        if (a[1] != "up" && a[1] != "down" && !to) return sink.Error("Give up, down or a position", a[1]), false;
        if (!m.MoveActor(*actor, places))
            return sink.Error("The actor cannot move there; positions are 1.." + std::to_string(m.ActorCount()), a[1]), false;
        return true;
    });
}

int RunSet(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give KEY=VALUE pairs"), false;
        for (const std::string& pair : a) {
            std::size_t eq = pair.find('=');
            if (eq == std::string::npos) return sink.Error("Expected KEY=VALUE", pair), false;
            if (!SetValue(m, pair.substr(0, eq), pair.substr(eq + 1), sink)) return false;
        }
        return true;
    });
}

int RunBackground(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give starfield, desktop, colour [#RRGGBB] or image PATH"), false;
        std::optional<std::int32_t> kind = BackgroundFromName(a[0]);
        if (!kind) return sink.Error("Unknown background: allowed starfield, desktop, colour or image", a[0]), false;
        if (*kind == 2 && a.size() > 1 && !SetValue(m, "colour", a[1], sink)) return false;
        if (*kind == 3) {
            if (a.size() < 2) return sink.Error("An image background needs a picture file"), false;
            std::optional<PackedImage> image;
            if (!SetPath(m.backdropPath, a[1], sink)) return false;
            if (std::uint32_t code = ReadPicture(m.backdropPath, ExtensionCase::Any, image))
                return sink.Error(IsUnrecognizedImage(code) ? "Not a recognized graphics format"
                                  : code == kImageTooLarge  ? "The picture is too large"
                                                            : "The picture is corrupt",
                                  m.backdropPath), false;
        }
        m.settings[kBackgroundKind] = *kind;
        return true;
    });
}

int RunMusic(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give a music file, --none, --loop or --no-loop"), false;
        for (const std::string& x : a) {
            if (x == "--loop") m.loopMusic = 1;
            else if (x == "--no-loop") m.loopMusic = 0;
            else if (x == "--none") m.soundPaths[kMusicPath].clear();
            else if (!SetPath(m.soundPaths[kMusicPath], x, sink)) return false;
        }
        if (!EffectSoundsEnabled(m.soundPaths[kMusicPath]))
            sink.Information("A wave backing track plays without the effect sounds");
        return true;
    });
}

int RunEffects(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Give --bounce, --create or --destroy with a sound file"), false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            SoundSlot slot = a[i] == "--bounce" ? kBouncePath : a[i] == "--create" ? kCreatePath : kDestroyPath;
            if (a[i] != "--bounce" && a[i] != "--create" && a[i] != "--destroy")
                return sink.Error("Expected --bounce, --create or --destroy", a[i]), false;
            if (i + 1 >= a.size()) return sink.Error("A sound file (or \"\" for none) is needed", a[i]), false;
            if (!SetPath(m.soundPaths[slot], a[++i], sink)) return false;
        }
        return true;
    });
}

int RunBanner(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
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

int RunModify(const Args& args, TerminalSink& sink) {
    return Change(args, sink, [&](ProjectModel& m, const Args& a) {
        if (a.empty()) return sink.Error("Name the actor to modify"), false;
        std::optional<std::size_t> actor = FindActor(m, a[0], sink);
        if (!actor) return false;
        GXDrawingSurface& first = *m.Actors()[*actor];
        ActorChange change;
        ColourKey key = first.key;
        bool keyChanged = false;
        auto number = [&](std::size_t& i, int lo, int hi) -> std::optional<std::int32_t> {
            std::optional<std::int32_t> v = i + 1 < a.size() ? ParseInt(a[i + 1]) : std::nullopt;
            if (!v || *v < lo || *v > hi) {
                sink.Error(a[i] + " needs a number in " + std::to_string(lo) + ".." + std::to_string(hi));
                return std::nullopt;
            }
            ++i;
            return v;
        };
        for (std::size_t i = 1; i < a.size(); ++i) {
            const std::string& x = a[i];
            if (x == "--flip-h") change.flipHorizontal = !change.flipHorizontal;
            else if (x == "--flip-v") change.flipVertical = !change.flipVertical;
            else if (x == "--quick-rotation") m.settings[kQuickRotation] = 1;
            else if (x == "--no-quick-rotation") m.settings[kQuickRotation] = 0;
            else if (x == "--align-to-path") m.settings[kAlignToPath] = 1;
            else if (x == "--no-align-to-path") m.settings[kAlignToPath] = 0;
            else if (x == "--rotate" || x == "--angle") {
                std::optional<std::int32_t> v = x == "--rotate" ? number(i, -360, 360) : number(i, 0, 360);
                if (!v) return false;
                std::int32_t angle = x == "--angle" ? *v : first.storedAngle + *v;
                if (angle < 0) angle += 360;   // one add or subtract, as every angle wraps
                if (angle > 360) angle -= 360;
                change.angle = angle;
            } else if (x == "--tolerance") {
                std::optional<std::int32_t> v = number(i, 0, 256);
                if (!v) return false;
                key.tolerance = *v, keyChanged = true;
            } else if (x == "--key") {
                int r = -1, g = -1, b = -1;
                char tail = 0;
                if (i + 1 >= a.size() || std::sscanf(a[i + 1].c_str(), "%d,%d,%d%c", &r, &g, &b, &tail) != 3 || r < 0 ||
                    r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
                    return sink.Error("--key needs R,G,B with each 0..255"), false;
                key.red = r, key.green = g, key.blue = b, keyChanged = true;
                ++i;
            } else {
                return sink.Error("Unknown option", x), false;
            }
        }
        if (keyChanged) change.key = key;
        return ModifyActor(first, change, sink);
    });
}

int RunInfo(const Args& a, TerminalSink& sink) {
    if (a.empty()) return Fail(sink, "A project or actor file is needed");
    bool json = a.size() > 1 && a[1] == "--json";
    std::string ext = a[0].size() >= 4 ? a[0].substr(a[0].size() - 4) : "";
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".act") {
        FrameList frames;
        if (!LoadActor(a[0], frames, Program::Authoring, sink)) return 1;
        std::fputs(ActorInfo(frames, json).c_str(), stdout);
        return 0;
    }
    ProjectModel model;
    if (!Load(a[0], model, sink)) return 1;
    std::fputs(ProjectInfo(model, json).c_str(), stdout);
    return 0;
}

// NAME from --name, forced to the .apj extension; the folder from --out/--into.
// The folder may be missing; the caller makes it once the work can start.
std::optional<fs::path> SaverPath(const Args& a, const char* folderOption, const fs::path& defaultFolder,
                                  TerminalSink& sink, fs::path* viewer) {
    std::string name;
    fs::path folder = defaultFolder;
    for (std::size_t i = 1; i < a.size(); ++i) {
        bool hasValue = i + 1 < a.size();
        if (a[i] == "--name" && hasValue) name = a[++i];
        else if (a[i] == folderOption && hasValue) folder = a[++i];
        else if (a[i] == "--viewer" && hasValue && viewer) *viewer = a[++i];
        else return sink.Error("Unknown option or missing value", a[i]), std::nullopt;
    }
    if (name.empty()) return sink.Error("A saver name is needed (--name NAME)"), std::nullopt;
    if (name.find_first_of("/\\") != std::string::npos) return sink.Error("The name must not contain a folder", name), std::nullopt;
    std::error_code error;
    if (!AcceptablePath(folder.string(), sink)) return std::nullopt;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
        return sink.Error("Not a folder", folder.string()), std::nullopt;
    return folder / ForceProjectExtension(name);
}

// The folders from `folder` up that do not exist yet, deepest first.
std::vector<fs::path> MissingFolders(fs::path folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (folder = fs::absolute(folder, error); !folder.empty() && !fs::exists(folder, error);
         folder = folder.parent_path()) {
        missing.push_back(folder);
        if (folder == folder.parent_path()) break;
    }
    return missing;
}

// Makes the folder a saver is written into, with any missing parents.
bool MakeFolder(const fs::path& folder, TerminalSink& sink) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) sink.Error("Unable to make the folder: " + error.message(), folder.string());
    return !error;
}

int RunBuild(const Args& a, TerminalSink& sink) {
    if (a.empty()) return Fail(sink, "A project file is needed");
    fs::path viewer = WindowsViewer();
    std::optional<fs::path> target = SaverPath(a, "--out", fs::current_path(), sink, &viewer);
    if (!target) return 1;
    if (!viewer.empty() && !fs::exists(viewer))
        return Fail(sink, "Unable to locate chosen Viewer (" + viewer.string() + "); please copy this file to your project directory");
    ProjectModel model;
    if (!Load(a[0], model, sink)) return 1;
    if (viewer.empty()) sink.Information("Viewer.scr was not found beside orbellan: only the project is built", target->string());
    const std::vector<fs::path> made = MissingFolders(target->parent_path());
    if (!MakeFolder(target->parent_path(), sink)) return 1;
    if (!BuildSaver(model, {*target, viewer, ProgressBar("Compressing ...")}, sink)) {
        std::error_code error;
        for (const fs::path& folder : made) fs::remove(folder, error);  // only while still empty
        return 1;
    }
    IniProfile(DefaultProfilePath()).Write("DefaultDirectories", "DefaultOpenProject", fs::absolute(*target).string());
    std::printf("%s\n", target->string().c_str());
    return 0;
}

constexpr const char* kInstalledViewerName = "orbellan-viewer";

int RunInstall(const Args& args, TerminalSink& sink) {
    if (args.empty()) return Fail(sink, "A project file is needed");
    Args a;
    bool listInXScreenSaver = false;
    for (const std::string& x : args) {
        if (x == "--xscreensaver") listInXScreenSaver = true;
        else a.push_back(x);
    }
    std::optional<fs::path> target = SaverPath(a, "--into", InstallFolder(), sink, nullptr);
    if (!target) return 1;
#ifdef _WIN32
    if (listInXScreenSaver) return Fail(sink, "--xscreensaver is for Linux");
#else
    fs::path launcher = *target;
    launcher.replace_extension();
    if (launcher.filename() == kInstalledViewerName) return Fail(sink, "That name is taken by the viewer", launcher.string());
    fs::path xscreensaver = XScreenSaverFile();
    if (listInXScreenSaver && !CanListInXScreenSaver(xscreensaver, sink)) return 1;
    if (!fs::is_regular_file(NativeViewer())) return Fail(sink, "The viewer is missing beside orbellan", NativeViewer().string());
#endif
    ProjectModel model;
    if (!Load(a[0], model, sink)) return 1;
    if (!MakeFolder(target->parent_path(), sink)) return 1;
    std::error_code error;
#ifdef _WIN32
    if (!BuildSaver(model, {*target, NativeViewer(), ProgressBar("Compressing ...")}, sink)) return 1;
    std::printf("%s\n", target->string().c_str());
#else
    // Linux plays the project with its own copy of the native viewer through a launcher,
    // so the saver keeps working when the build folder goes away.
    if (!BuildSaver(model, {*target, {}, ProgressBar("Compressing ...")}, sink)) return 1;
    fs::path viewer = fs::absolute(target->parent_path() / kInstalledViewerName);
    if (!ReplaceFileWithCopy(NativeViewer(), viewer, error))
        return Fail(sink, "Unable to copy the viewer: " + error.message(), viewer.string());
    launcher = fs::absolute(launcher);
    if (!WriteLauncher(launcher, viewer, fs::absolute(*target), sink)) return 1;
    std::string name = target->stem().string();
    if (listInXScreenSaver) {
        if (!ListInXScreenSaver(xscreensaver, "Orbellan: " + name, XScreenSaverCommand(launcher), sink)) return 1;
    } else {
        sink.Information("To list it among xscreensaver's savers, install again with --xscreensaver", name);
    }
    std::printf("%s\n%s\n", target->string().c_str(), launcher.string().c_str());
#endif
    return 0;
}

// Runs `program` (looked up on PATH when it has no folder) and waits for it.
int Spawn(const fs::path& program, const Args& arguments, const std::string& failure, TerminalSink& sink) {
    std::vector<std::string> all = {program.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : all) argv.push_back(s.data());
    argv.push_back(nullptr);
#ifdef _WIN32
    intptr_t status = _spawnvp(_P_WAIT, all[0].c_str(), argv.data());
    if (status == -1) return Fail(sink, failure, all[0]);
    return int(status);
#else
    pid_t pid = 0;
    if (posix_spawnp(&pid, all[0].c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return Fail(sink, failure, all[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
#endif
}

int RunPreview(const Args& a, TerminalSink& sink) {
    if (a.empty()) return Fail(sink, "A project file is needed");
    fs::path viewer = NativeViewer();
    if (!fs::exists(viewer))
        return Fail(sink, "Unable to find Orbellan's Screensaver viewer: screensavers cannot be previewed", viewer.string());
    if (!fs::is_regular_file(a[0])) return Fail(sink, "No such project file", a[0]);
    Args rest(a.begin() + 1, a.end());
    rest.insert(rest.begin(), a[0]);
    return Spawn(viewer, rest, "Unable to start Orbellan's Screensaver viewer", sink);
}

int RunHelp(const Args& a, TerminalSink& sink);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"new", "new P.apj [--force]", "Writes a new project with the default settings. An existing file is kept unless --force.", RunNew},
        {"add", "add P.apj FILES... [--separate] [--build-actor] [--grid COLSxROWS [--frames N]] [--full-size]",
         "Imports pictures (bmp, jpg, pcx, png, tga, gif) or actor files (act). The pictures of one add, all of\n"
         "one type, become one animated actor, as do the frames of an animated GIF; --separate makes each picture\n"
         "(or each frame of a GIF or an actor file) an actor of its own, and takes files of any types together.\n"
         "--build-actor also saves the new actor as NAME.ACT beside its first picture. --grid cuts one picture,\n"
         "a sprite sheet, into COLS x ROWS equal cells that become the frames, left to right, top to bottom;\n"
         "--frames takes only the first N cells. Where a picture is transparent it stays so. Pictures longer\n"
         "than 1024 pixels are scaled down to 1024 on their longer side; --full-size keeps their own size.", RunAdd},
        {"remove", "remove P.apj ACTOR", "Removes an actor, named by its position (1 is the first) or its name.", RunRemove},
        {"move", "move P.apj ACTOR up|down|POSITION", "Moves an actor one place up or down, or to a position.", RunMove},
        {"set", "set P.apj KEY=VALUE...",
         "Sets settings: number size direction actorBias spriteLifetime sceneLifetime numberRange sizeRange\n"
         "directionRange speed speedVariation swirl spin stutter factorX mode background shuffle colour turbo\n"
         "quickRotation alignToPath eraser loopMusic. Lifetimes are stored values (100 minus the slider).\n"
         "mode takes a name (BOUNCE ... RANDOM); colour takes #RRGGBB. Values out of range are refused.", RunSet},
        {"background", "background P.apj starfield|desktop|colour [#RRGGBB]|image PICTURE", "Chooses the background.", RunBackground},
        {"music", "music P.apj [FILE.mid|FILE.wav] [--none] [--loop|--no-loop]", "Chooses the backing track and its looping.", RunMusic},
        {"effects", "effects P.apj [--bounce WAV] [--create WAV] [--destroy WAV]", "Chooses the effect sounds (\"\" for none).", RunEffects},
        {"banner", "banner P.apj PICTURE|--reset", "Chooses the Control Panel banner picture (bmp, act, pcx, tga, jpg, cgm, png).", RunBanner},
        {"modify", "modify P.apj ACTOR [--flip-h] [--flip-v] [--rotate DEGREES] [--angle A] [--key R,G,B]\n"
                   "       [--tolerance T] [--quick-rotation|--no-quick-rotation] [--align-to-path|--no-align-to-path]",
         "Mirrors, turns and keys an actor. --rotate turns by DEGREES from its angle; --angle sets the angle.", RunModify},
        {"info", "info P.apj|A.act [--json]", "Lists the settings, actors and frames.", RunInfo},
        {"build", "build P.apj --name NAME [--out DIR] [--viewer Viewer.scr]",
         "Builds NAME.apj (compressed) and NAME.scr (a copy of Viewer.scr) in DIR, making DIR if need be.", RunBuild},
        {"install", "install P.apj --name NAME [--into DIR] [--xscreensaver]",
         "Builds the saver where screen savers are found: on Windows the system folder; on Linux\n"
         "~/.local/share/orbellan/savers (under $XDG_DATA_HOME), as NAME.apj with a launcher NAME that runs\n"
         "the viewer on it (xscreensaver passes -root). --xscreensaver also lists the launcher first in the\n"
         "programs of ~/.xscreensaver; that file is replaced only by a complete new copy.", RunInstall},
        {"preview", "preview P.apj [VIEWER OPTIONS...]", "Plays the project in the viewer (e.g. --headless --frames 50).", RunPreview},
        {"help", "help [COMMAND] [--browser]", "Shows help; --browser opens the manual page in the web browser.", RunHelp},
    };
    return commands;
}

void PrintUsage(const Command& c) { std::printf("usage: orbellan %s\n\n%s\n", c.usage, c.help); }

int OpenManual(TerminalSink& sink) {
    fs::path page = HelpPage();
    if (page.empty()) return Fail(sink, "The help page is missing", ProgramFolder().string());
#ifdef _WIN32
    const char* browser = "explorer.exe";  // opens the page in the user's default browser
#else
    const char* browser = "xdg-open";
#endif
    const std::string failure = "Unable to open the help page " + fs::absolute(page).string() + " in a web browser";
    int status = Spawn(browser, {fs::absolute(page).string()}, failure, sink);
    if (status != 0 && !sink.sawError) return Fail(sink, failure, browser);
    return status == 0 ? 0 : 1;
}

int RunHelp(const Args& a, TerminalSink& sink) {
    if (!a.empty() && a[0] == "--browser") return OpenManual(sink);
    for (const Command& c : Commands())
        if (!a.empty() && a[0] == c.name) return PrintUsage(c), 0;
    std::printf("usage: orbellan COMMAND ARGUMENTS...   (orbellan COMMAND --help for each)\n\n");
    for (const Command& c : Commands()) std::printf("  orbellan %s\n", c.usage);
    return a.empty() ? 0 : Fail(sink, "Unknown command", a[0]);
}

}  // namespace
}  // namespace orb::cli

int main(int argc, char** argv) {
    using namespace orb::cli;
    TerminalSink sink;
    Args args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") return RunHelp({}, sink);
    for (const Command& c : Commands()) {
        if (args[0] != c.name) continue;
        Args rest(args.begin() + 1, args.end());
        if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) return PrintUsage(c), 0;
        try {
            return c.run(rest, sink);
        } catch (const std::filesystem::filesystem_error& e) {  // a path the system refuses: never a crash
            sink.Error(e.code().message(), e.path1().string());
            return 1;
        }
    }
    return RunHelp({args[0]}, sink);
}
