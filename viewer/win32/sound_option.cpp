#include "viewer/win32/sound_option.h"

#include <windows.h>

#include "win32/shared/profile_value.h"

namespace orb {

bool ReadSoundOption() {
    return SoundValueIsOn(ReadSetting(kSoundSection, kSoundKey, "Y"));
}

void WriteSoundOption(bool on) { WriteProfileStringA(kSoundSection, kSoundKey, on ? "Y" : "N"); }

}  // namespace orb
