#include "viewer/win32/sound_option.h"

#include <windows.h>

namespace orb {

bool ReadSoundOption() {
    char value[256] = {};
    GetProfileStringA(kSoundSection, kSoundKey, "Y", value, sizeof value);
    return SoundValueIsOn(value);
}

void WriteSoundOption(bool on) { WriteProfileStringA(kSoundSection, kSoundKey, on ? "Y" : "N"); }

}  // namespace orb
