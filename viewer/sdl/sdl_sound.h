// Music and effects through SDL2_mixer: a fire-and-forget wave player that sounds
// one wave at a time (optionally looping) and a MIDI player that repeats its piece.
// Sound files are written into a private temporary folder, removed at the end.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "viewer/engine/platform.h"
#include "viewer/host/temp_folder.h"

struct _Mix_Music;
struct Mix_Chunk;

namespace orb::sdl {

class SdlSound {
public:
    SdlSound();  // opens the audio device; without one every call is silent
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    bool Available() const { return open_; }
    // Writes `bytes` as `name` into the private folder; the path, or empty on failure.
    std::filesystem::path Keep(std::string_view name, std::span<const std::uint8_t> bytes);
    // Stops the wave playing now and starts this one.
    bool PlayWave(const std::filesystem::path& file, bool loop);
    // repeats: -1 without end, else the number of replays after the first play.
    // Without a synthesiser prints a one-line notice once and stays silent.
    bool PlayMidi(const std::filesystem::path& file, int repeats);
    void StopMidi();
    void StopWave();

private:
    bool open_ = false;
    bool midiNoticeGiven_ = false;
    Mix_Chunk* wave_ = nullptr;
    _Mix_Music* music_ = nullptr;
    host::TempFolder folder_;
};

// The engine's wave player: each slot's file kept as "tempN.wav" in the private folder.
class SdlWavePlayer final : public WavePlayer {
public:
    explicit SdlWavePlayer(SdlSound& sound) : sound_(sound) {}
    bool Prepare(SoundSlot slot, std::span<const std::uint8_t> waveFile) override;
    void Play(SoundSlot slot, bool loop) override;
    void StopAll() override;

private:
    SdlSound& sound_;
    std::filesystem::path files_[kSoundSlots];
};

// The engine's MIDI player: the track kept as "temp1.mid" in the private folder.
class SdlMidiPlayer final : public MidiPlayer {
public:
    explicit SdlMidiPlayer(SdlSound& sound) : sound_(sound) {}
    bool Open(std::span<const std::uint8_t> midiFile) override;
    bool Play(int repeats, int startMs, int endMs) override;
    void Stop() override { sound_.StopMidi(); }

private:
    SdlSound& sound_;
    std::filesystem::path file_;
};

}  // namespace orb::sdl
