// Filling the ViewerState from a project file (plain or compressed).
#include <algorithm>

#include "common/formats/project_reader.h"
#include "viewer/engine/viewer_state.h"

namespace orb {
namespace {

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
    ViewerProject project = LoadViewerProject(projectPath, isPreview, Reports(), freeSpace);
    if (!project) {
        if (project.check == ProjectCheck::NotEnoughSpace) {
            lackedSpace_ = true;
            QuitWithCode(kExitNotEnoughSpace);
        }
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
        for (std::size_t i = 0; i < kSoundSlots; ++i)
            if (file.sounds[i].missing == 0 && !file.sounds[i].bytes.empty())
                sounds[i] = file.sounds[i].bytes;
    backdropImage = TakePicture(project.pictures, project.backdrop);
    Trace(file.bannerPath);
    if (isPreview) {
        bannerImage = TakePicture(project.pictures, project.banner);
        return true;
    }
    static_cast<ProjectSettings&>(settings) = file.settings;
    actors = std::move(project.actors);
    // The reader leaves an unreadable actor out; the show still ends as it always has.
    if (project.actorFailed) QuitWithCode(kExitDisplayOrActor);
    return PrepareActorImages();
}

}  // namespace orb
