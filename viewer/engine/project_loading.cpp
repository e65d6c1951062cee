// Filling the ViewerState from a project file (plain or compressed).
#include <algorithm>

#include "common/formats/project_reader.h"
#include "viewer/engine/viewer_state.h"

namespace orb {
namespace {

void ApplyProjectSettings(const ProjectSettings& from, ViewerSettings& to) {
    to.number = from.number;
    to.size = from.size;
    to.direction = from.direction;
    to.actorBias = from.actorBias;
    to.spriteLifetime = from.spriteLifetime;
    to.sceneLifetime = from.sceneLifetime;
    to.numberRange = from.numberRange;
    to.sizeRange = from.sizeRange;
    to.directionRange = from.directionRange;
    to.speed = from.speed;
    to.speedVariation = from.speedVariation;
    to.swirl = from.swirl;
    to.spin = from.spin;
    to.stutter = from.stutter;
    to.factorX = from.factorX;
    to.motionMode = from.motionMode;
    to.backgroundKind = from.backgroundKind;
    to.shuffle = from.shuffle;
    to.backgroundColour = from.backgroundColour;
    to.turbo = from.turbo;
    to.quickRotation = from.quickRotation;
    to.alignToPath = from.alignToPath;
}

// Moves the picture `picture` out of the list that owns it.
std::unique_ptr<GXDrawingSurface> TakePicture(FrameList& pictures, const GXDrawingSurface* picture) {
    for (auto& owned : pictures)
        if (owned.get() == picture) {
            auto taken = std::move(owned);
            taken->nextFrame = nullptr;
            taken->firstFrame = taken.get();
            return taken;
        }
    return nullptr;
}

}  // namespace

bool ViewerState::LoadProject() {
    ViewerProject project = LoadViewerProject(projectPath, isPreview, Reports());
    if (!project) {
        if (project.check == ProjectCheck::CannotOpen) {
            Trace("File is invalid");
            Trace(projectPath);
        }
        return false;
    }
    projectWasCompressed = project.compressed;
    const ProjectFile& file = project.file;
    settings.resourcesEmbedded = file.resourcesEmbedded;
    settings.eraser = file.eraser;
    settings.loopMusic = file.loopMusic;
    std::copy(file.soundPaths.begin(), file.soundPaths.end(), soundPaths.begin());
    if (file.soundBlockPresent)
        for (int i = 0; i < kSoundSlots; ++i)
            if (file.sounds[i].missing == 0 && !file.sounds[i].bytes.empty())
                sounds[i] = file.sounds[i].bytes;
    backdropImage = TakePicture(project.pictures, project.backdrop);
    Trace(file.bannerPath);
    if (isPreview) {
        bannerImage = TakePicture(project.pictures, project.banner);
        return true;
    }
    ApplyProjectSettings(file.settings, settings);
    actors = std::move(project.actors);
    // The reader leaves an unreadable actor out; the show still ends as it always has.
    if (project.actorFailed) QuitWithCode(kExitDisplayOrActor);
    return PrepareActorImages();
}

}  // namespace orb
