#include "viewer/engine/viewer_state.h"

namespace orb {

bool ViewerState::LoadProject() {
    Trace("File is invalid");
    Trace(projectPath);
    return false;
}

}  // namespace orb
