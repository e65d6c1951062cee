// The "Select Sound Effects" dialog (template 164): the backing music, the three
// effect sounds and whether the music loops. It only chooses paths.
#pragma once
#include <windows.h>

#include <string>

namespace orb {

struct SoundChoice {
    std::string musicPath;
    std::string bounceSoundPath;
    std::string createSoundPath;
    std::string destroySoundPath;
    bool loopMusic = false;
};

// Edits `choice` in place; true on OK. On Cancel `choice` is left as it was.
bool RunSoundDialog(HWND owner, SoundChoice& choice);

// True when the path's extension, upper-cased, is "WAV".
bool IsWavePath(const std::string& path);

}  // namespace orb
