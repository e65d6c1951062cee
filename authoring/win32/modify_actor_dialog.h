// The "Modify Actor" dialog (template 109): mirror, turn and key one actor, and
// the two project-wide rotation switches. Changes apply on OK only.
#pragma once
#include <windows.h>

#include "common/imaging/drawing_surface.h"

namespace orb {

struct ModifyActorSwitches {
    bool quickRotation = true;
    bool alignToPath = false;
};

// Runs the dialog for the actor whose first frame is `first`; on OK applies the
// change to every frame of it and updates `switches`. True on OK.
bool RunModifyActorDialog(HWND owner, GXDrawingSurface& first, ModifyActorSwitches& switches);

}  // namespace orb
