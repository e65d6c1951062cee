// The "Select Control Panel Banner" dialog (template 166): chooses the picture
// a built saver shows in the system's small preview. It only chooses a path.
#pragma once
#include <windows.h>

#include <string>

namespace orb {

// Edits `bannerPath` (empty: the default picture); true unless cancelled.
bool RunBannerDialog(HWND owner, std::string& bannerPath);

}  // namespace orb
