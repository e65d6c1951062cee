// The project a user edits: the actor list (a frame list in project order, at most
// 100 actors), every setting, the background, sounds and banner. The main dialog and
// the command line both work on this one model.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/model/settings.h"
#include "common/imaging/drawing_surface.h"
#include "common/report.h"

namespace orb {

inline constexpr std::size_t kMaxActors = 100;
inline constexpr std::size_t kMaxPathLength = 255;

struct ProjectModel {
    FrameList frames;  // every frame of every actor, actors one after another
    ProjectSettings settings;
    std::int32_t eraser = 0;
    std::int32_t loopMusic = 0;
    std::array<std::string, kSoundSlots> soundPaths;  // in SoundSlot order
    std::string backdropPath;               // as given: file names are case-sensitive here
    // Whether the Image background is chosen: the stored flag that makes the writer
    // embed the picture. The dialog keeps it apart from the background kind, which
    // also counts as Image when no background button is checked.
    bool useBackdropImage = false;
    std::string bannerPath;
    std::string projectPath;
    bool compressed = false;  // read from a compressed project: saved back in that form

    // First frames of the actors, in order.
    std::vector<GXDrawingSurface*> Actors() const;
    std::size_t ActorCount() const { return Actors().size(); }
    // Index into `frames` of the first frame of actor `actor`, and its frame count.
    std::size_t FirstFrameIndex(std::size_t actor) const;
    std::size_t FramesOf(std::size_t actor) const;

    // False (nothing changed) when the index is out of range or the move would leave the list.
    bool RemoveActor(std::size_t actor);
    bool MoveActor(std::size_t actor, int places);
    // Sets the background kind (0 starfield .. 3 image) and the Image flag with it.
    void SetBackgroundKind(std::int32_t kind);
    // Drops every actor after the 100th with a report saying so (information unless
    // the caller counts it as a failure); true if any was dropped.
    bool DropActorsBeyondLimit(ReportSink& sink, ReportKind kind = ReportKind::Information);

    // Resets as New does: no actors, default settings and flags, empty paths. Turbo,
    // quick rotation, align to path, the loop flag and shuffle keep their values.
    void Reset(std::uint32_t backgroundColour);
};

// Makes frames[begin, end) one actor: first frame, indices 0.., count, links.
void NumberAsOneActor(FrameList& frames, std::size_t begin, std::size_t end);
// Re-links nextFrame through the whole list in order.
void RelinkFrames(FrameList& frames);

// A path the program can keep: at most 255 characters. Otherwise reports the error
// "Path is longer than 255 characters" with the path and answers false.
bool AcceptablePath(std::string_view path, ReportSink& sink);

}  // namespace orb
