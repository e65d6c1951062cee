#include "project_model.h"

#include <algorithm>

namespace orb {

std::vector<GXDrawingSurface*> ProjectModel::Actors() const {
    std::vector<GXDrawingSurface*> actors;
    for (const auto& frame : frames)
        if (frame->frameIndex == 0) actors.push_back(frame.get());
    return actors;
}

std::size_t ProjectModel::FirstFrameIndex(std::size_t actor) const {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (frames[i]->frameIndex == 0 && seen++ == actor) return i;
    return frames.size();
}

std::size_t ProjectModel::FramesOf(std::size_t actor) const {
    std::size_t begin = FirstFrameIndex(actor), end = begin;
    if (begin >= frames.size()) return 0;
    do ++end;
    while (end < frames.size() && frames[end]->frameIndex != 0);
    return end - begin;
}

bool ProjectModel::RemoveActor(std::size_t actor) {
    std::size_t begin = FirstFrameIndex(actor), count = FramesOf(actor);
    if (count == 0) return false;
    frames.erase(frames.begin() + std::ptrdiff_t(begin), frames.begin() + std::ptrdiff_t(begin + count));
    RelinkFrames(frames);
    return true;
}

bool ProjectModel::MoveActor(std::size_t actor, int places) {
    std::size_t count = ActorCount();
    std::int64_t target = std::int64_t(actor) + places;
    if (actor >= count || target < 0 || target >= std::int64_t(count)) return false;
    while (std::int64_t(actor) != target) {  // one swap of neighbouring runs per place
        std::size_t upper = places < 0 ? actor - 1 : actor;
        std::size_t begin = FirstFrameIndex(upper), split = begin + FramesOf(upper);
        std::size_t end = split + FramesOf(upper + 1);
        std::rotate(frames.begin() + std::ptrdiff_t(begin), frames.begin() + std::ptrdiff_t(split),
                    frames.begin() + std::ptrdiff_t(end));
        actor = places < 0 ? actor - 1 : actor + 1;
    }
    RelinkFrames(frames);
    return true;
}

bool ProjectModel::DropActorsBeyondLimit(ReportSink& sink, ReportKind kind) {
    if (ActorCount() <= kMaxActors) return false;
    sink.Deliver({kind, "You have tried import more than 100 actors; Orbellan will ignore extra actors", {}});
    frames.erase(frames.begin() + std::ptrdiff_t(FirstFrameIndex(kMaxActors)), frames.end());
    RelinkFrames(frames);
    return true;
}

void ProjectModel::Reset(std::uint32_t backgroundColour) {
    const ProjectSettings kept = settings;
    frames.clear();
    settings = ProjectSettings{};
    for (SettingId id : {kTurbo, kQuickRotation, kAlignToPath, kShuffle}) settings[id] = kept[id];
    settings[kBackgroundColour] = std::int32_t(backgroundColour);
    eraser = 0;
    for (std::string& path : soundPaths) path.clear();
    backdropPath.clear();
    useBackdropImage = false;
    bannerPath.clear();
}

void ProjectModel::SetBackgroundKind(std::int32_t kind) {
    settings[kBackgroundKind] = kind;
    useBackdropImage = kind == kImageBackground;
}

void NumberAsOneActor(FrameList& frames, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        frames[i]->firstFrame = frames[begin].get();
        frames[i]->frameIndex = std::int32_t(i - begin);
        frames[i]->frameCount = std::int32_t(end - begin);
    }
    RelinkFrames(frames);
}

void RelinkFrames(FrameList& frames) {
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i]->nextFrame = i + 1 < frames.size() ? frames[i + 1].get() : nullptr;
}

bool AcceptablePath(std::string_view path, ReportSink& sink) {
    if (path.size() <= kMaxPathLength) return true;
    sink.Error("Path is longer than 255 characters", std::string(path));
    return false;
}

}  // namespace orb
