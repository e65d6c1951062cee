// The viewer's one option, whether sounds play: "SoundsOn" in the section
// "EnableSound" of the user's profile (WIN.INI), shared by every saver built
// with Orbellan on the machine.
#pragma once
#include <string_view>

namespace orb {

inline constexpr char kSoundSection[] = "EnableSound";
inline constexpr char kSoundKey[] = "SoundsOn";

// Missing means on; any value whose first character is not 'N' counts as on.
inline bool SoundValueIsOn(std::string_view value) { return value.empty() || value.front() != 'N'; }

bool ReadSoundOption();
void WriteSoundOption(bool on);

}  // namespace orb
