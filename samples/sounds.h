// The demo project's sounds, made by code: three short wave effects (RIFF PCM,
// 22050 Hz, 16-bit mono) and a small backing track as a standard MIDI file.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace orb::samples {

inline constexpr int kWaveRate = 22050;

// A complete .wav file holding the given 16-bit mono samples.
std::vector<std::uint8_t> EncodeWave(std::span<const std::int16_t> samples);

std::vector<std::uint8_t> BounceEffect();   // a short falling "boing"
std::vector<std::uint8_t> CreateEffect();   // a rising chirp
std::vector<std::uint8_t> DestroyEffect();  // a decaying noise burst

// A format-0 MIDI file: eight bars of pad chords, bass and an arpeggio, about 16 s.
std::vector<std::uint8_t> BackingTrack();

}  // namespace orb::samples
