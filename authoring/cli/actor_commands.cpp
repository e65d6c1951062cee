// `add`, `remove`, `move` and `modify`: the project's actors.
#include <cstdio>

#include "authoring/cli/add_command.h"
#include "authoring/cli/commands.h"
#include "authoring/cli/project_edit.h"
#include "authoring/model/modify_actor.h"
#include "authoring/model/settings.h"

namespace orb::cli {

namespace {

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

}  // namespace

int RunAdd(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) { return AddFiles(m, a, sink); });
}

int RunRemove(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
        if (a.size() != 1) return sink.Error("Name one actor to remove"), false;
        std::optional<std::size_t> actor = FindActor(m, a[0], sink);
        return actor && m.RemoveActor(*actor);
    });
}

int RunMove(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
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

int RunModify(CliContext& context) {
    TerminalSink& sink = context.sink;
    return ChangeProjectFile(context, [&](ProjectModel& m, const Args& a) {
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

}  // namespace orb::cli
