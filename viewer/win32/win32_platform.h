// The engine's platform interfaces on Windows: sounds through temporary files in
// a private folder (sndPlaySoundA for waves, the MCI sequencer for MIDI), the
// user profile, the clock, the desktop capture and the input snapshot.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "viewer/engine/platform.h"
#include "viewer/win32/mci_midi_player.h"
#include "viewer/win32/temp_sound_folder.h"

namespace orb {

// Writes a sound's bytes to name in the folder. A short write shows the
// disk-space message (shortfall in units of 1000 bytes) and asks to quit with 0.
// Returns the file's path, or an empty string.
std::string WriteSoundFile(TempSoundFolder& folder, const char* name, std::span<const std::uint8_t> bytes,
                           const char* message, QuitSink& quit);

class Win32WavePlayer final : public WavePlayer {
public:
    Win32WavePlayer(TempSoundFolder& folder, QuitSink& quit) : folder_(folder), quit_(quit) {}
    ~Win32WavePlayer() override { StopAll(); }
    bool Prepare(SoundSlot slot, std::span<const std::uint8_t> waveFile) override;
    void Play(SoundSlot slot, bool loop) override;
    void StopAll() override;

private:
    TempSoundFolder& folder_;
    QuitSink& quit_;
    std::array<std::string, kSoundSlots> paths_;
};

class Win32MidiPlayer final : public MidiPlayer {
public:
    Win32MidiPlayer(TempSoundFolder& folder, QuitSink& quit);
    bool Open(std::span<const std::uint8_t> midiFile) override;
    bool Play(int repeats, int startMs, int endMs) override { return player_.Play(repeats, startMs, endMs); }
    void Stop() override { player_.Stop(); }

private:
    TempSoundFolder& folder_;
    QuitSink& quit_;
    MciMidiPlayer player_;
};

class Win32Profile final : public ProfileStore {
public:
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) override;
};

class Win32Clock final : public Clock {
public:
    std::uint32_t NowSeconds() override;
};

// Copies an area of the desktop (desktop coordinates; empty: the primary screen).
class Win32Desktop final : public DesktopSource {
public:
    void Cover(const Rect& area) { area_ = area; }
    bool Capture(GXDrawingSurface& picture) override;

private:
    Rect area_;
};

// Key states by scan code and the cursor position.
class Win32Input final : public InputMonitor {
public:
    void TakeSnapshot() override;
    bool InputSinceSnapshot() override;

private:
    std::array<SHORT, 256> keys_{};
    POINT cursor_{};
};

class SilentTrace final : public TraceSink {
public:
    void Trace(std::string_view) override {}
};

}  // namespace orb

namespace orb {

// Width and height from the system metrics; depth 8 when the screen has a
// palette, else its bits per pixel.
ScreenFacts MeasureScreen();

}  // namespace orb
