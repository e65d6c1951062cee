#include "viewer/sdl/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <fstream>

namespace orb::sdl {

SdlSound::SdlSound() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    open_ = true;
}

SdlSound::~SdlSound() {
    if (!open_) return;
    StopMidi();
    StopWave();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::filesystem::path SdlSound::Keep(std::string_view name, std::span<const std::uint8_t> bytes) {
    if (folder_.Path().empty()) return {};
    const std::filesystem::path path = folder_.Path() / std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return {};
    return path;
}

void SdlSound::StopWave() {
    if (wave_ == nullptr) return;
    Mix_HaltChannel(0);
    Mix_FreeChunk(wave_);
    wave_ = nullptr;
}

bool SdlSound::PlayWave(const std::filesystem::path& file, bool loop) {
    if (!open_) return false;
    StopWave();
    wave_ = Mix_LoadWAV(file.c_str());
    if (wave_ == nullptr) return false;
    return Mix_PlayChannel(0, wave_, loop ? -1 : 0) != -1;
}

bool SdlSound::PlayMidi(const std::filesystem::path& file, int repeats) {
    if (!open_) return false;
    StopMidi();
    music_ = Mix_LoadMUS(file.c_str());
    if (music_ == nullptr || Mix_PlayMusic(music_, repeats < 0 ? -1 : repeats + 1) != 0) {
        if (!midiNoticeGiven_)
            std::fprintf(stderr, "viewer: no MIDI synthesiser available, the backing track stays silent\n");
        midiNoticeGiven_ = true;
        StopMidi();
        return false;
    }
    return true;
}

void SdlSound::StopMidi() {
    if (music_ == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
}

}  // namespace orb::sdl

namespace orb::sdl {

bool SdlWavePlayer::Prepare(SoundSlot slot, std::span<const std::uint8_t> waveFile) {
    if (slot >= kSoundSlots) return false;
    const std::string name = "temp" + std::to_string(slot + 1) + ".wav";
    files_[slot] = sound_.Keep(name, waveFile);
    return !files_[slot].empty();
}

void SdlWavePlayer::Play(SoundSlot slot, bool loop) {
    if (slot >= kSoundSlots || files_[slot].empty()) return;
    sound_.PlayWave(files_[slot], loop);
}

void SdlWavePlayer::StopAll() {
    sound_.StopWave();
    for (auto& f : files_) f.clear();
}

bool SdlMidiPlayer::Open(std::span<const std::uint8_t> midiFile) {
    file_ = sound_.Keep("temp1.mid", midiFile);
    return !file_.empty();
}

bool SdlMidiPlayer::Play(int repeats, int, int) {
    // The backing track always plays whole; SDL_mixer has no end position.
    return !file_.empty() && sound_.PlayMidi(file_, repeats);
}

}  // namespace orb::sdl
