#include "samples/sounds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/io/byte_writer.h"

namespace orb::samples {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::int16_t ToSample(double v) {
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000));
}

// A tone whose frequency glides from f0 to f1 under an exponential decay.
std::vector<std::int16_t> Glide(double seconds, double f0, double f1, double decay,
                                double overtone) {
    const int n = static_cast<int>(seconds * kWaveRate);
    std::vector<std::int16_t> out(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        phase += 2 * kPi * (f0 + (f1 - f0) * t) / kWaveRate;
        const double attack = std::min(1.0, i / 80.0);  // no click at the start
        const double v = std::sin(phase) + overtone * std::sin(2 * phase);
        out[i] = ToSample(0.6 * attack * std::exp(-decay * t) * v / (1 + overtone));
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(std::span<const std::int16_t> samples) {
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    ByteWriter w;
    w.Text("RIFF");
    w.U32(36 + data_bytes);
    w.Text("WAVE");
    w.Text("fmt ");
    w.U32(16);
    w.U16(1);  // PCM
    w.U16(1);  // mono
    w.U32(kWaveRate);
    w.U32(kWaveRate * 2);
    w.U16(2);
    w.U16(16);
    w.Text("data");
    w.U32(data_bytes);
    for (std::int16_t s : samples) w.I16(s);
    return w.bytes;
}

std::vector<std::uint8_t> BounceEffect() { return EncodeWave(Glide(0.14, 700, 180, 5, 0.3)); }

std::vector<std::uint8_t> CreateEffect() { return EncodeWave(Glide(0.25, 300, 1300, 2.5, 0.5)); }

std::vector<std::uint8_t> DestroyEffect() {
    const int n = static_cast<int>(0.3 * kWaveRate);
    std::vector<std::int16_t> out(n);
    std::uint32_t noise = 1;
    double low = 0, phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / (1u << 24) * 2 - 1;
        low += 0.25 * (white - low);  // soften the hiss
        phase += 2 * kPi * (220 - 160 * t) / kWaveRate;
        out[i] = ToSample(0.7 * std::exp(-4 * t) * (0.8 * low + 0.4 * std::sin(phase)));
    }
    return EncodeWave(out);
}

namespace {

constexpr int kTicksPerBeat = 96;

class MidiTrack {
public:
    void Event(int delta, std::span<const std::uint8_t> bytes) {
        VarLen(delta);
        w_.Bytes(bytes);
    }
    std::vector<std::uint8_t> Finish() {
        const std::array<std::uint8_t, 3> end{0xFF, 0x2F, 0x00};
        Event(0, end);
        return std::move(w_.bytes);
    }

private:
    void VarLen(int value) {
        std::array<std::uint8_t, 5> groups{};
        int count = 0;
        auto v = static_cast<std::uint32_t>(value);
        do {
            groups[count++] = v & 0x7F;
            v >>= 7;
        } while (v != 0);
        while (count-- > 0) w_.U8(static_cast<std::uint8_t>(groups[count] | (count ? 0x80 : 0)));
    }
    ByteWriter w_;
};

// MIDI files store their numbers most significant byte first.
void BigEndian(ByteWriter& w, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) w.U8(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct Note {
    int start;  // ticks from the beginning
    int length;
    int channel;
    int key;
    int velocity;
};

}  // namespace

std::vector<std::uint8_t> BackingTrack() {
    // A minor, F, C, G: each chord one bar, played twice.
    constexpr std::array<std::array<int, 3>, 4> kChords{{{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}}};
    constexpr int kBar = 4 * kTicksPerBeat;
    std::vector<Note> notes;
    for (int bar = 0; bar < 8; ++bar) {
        const auto& chord = kChords[bar % 4];
        const int at = bar * kBar;
        for (int key : chord) notes.push_back({at, kBar - 4, 0, key, 56});
        for (int eighth = 0; eighth < 8; ++eighth) {
            const int bass = chord[0] - 24 + ((eighth % 4 == 3) ? 7 : 0);
            notes.push_back({at + eighth * kTicksPerBeat / 2, kTicksPerBeat / 2 - 6, 1, bass, 80});
        }
        for (int step = 0; step < 16; ++step) {
            static constexpr std::array<int, 4> kPattern{0, 1, 2, 1};
            const int key = chord[kPattern[step % 4]] + 12 + (step >= 8 ? 12 : 0);
            notes.push_back({at + step * kTicksPerBeat / 4, kTicksPerBeat / 4 - 4, 2, key, 64});
        }
    }
    // Note-ons and note-offs in time order; an off sorts before an on at the same tick.
    struct Timed {
        int tick;
        int off;
        std::array<std::uint8_t, 3> bytes;
    };
    std::vector<Timed> events;
    for (const Note& n : notes) {
        const auto ch = static_cast<std::uint8_t>(n.channel);
        const auto key = static_cast<std::uint8_t>(n.key);
        events.push_back({n.start, 0, {static_cast<std::uint8_t>(0x90 | ch), key, static_cast<std::uint8_t>(n.velocity)}});
        events.push_back({n.start + n.length, 1, {static_cast<std::uint8_t>(0x80 | ch), key, 0}});
    }
    std::stable_sort(events.begin(), events.end(), [](const Timed& a, const Timed& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.off > b.off;
    });

    MidiTrack track;
    const std::array<std::uint8_t, 6> tempo{0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};  // 500000 us a beat
    track.Event(0, tempo);
    constexpr std::array<std::array<std::uint8_t, 2>, 3> kPrograms{{{0xC0, 89}, {0xC1, 33}, {0xC2, 11}}};
    for (const auto& p : kPrograms) track.Event(0, p);  // pad, finger bass, vibraphone
    int now = 0;
    for (const Timed& e : events) {
        track.Event(e.tick - now, e.bytes);
        now = e.tick;
    }
    const std::vector<std::uint8_t> body = track.Finish();

    ByteWriter file;
    file.Text("MThd");
    BigEndian(file, 6, 4);
    BigEndian(file, 0, 2);  // format 0
    BigEndian(file, 1, 2);  // one track
    BigEndian(file, kTicksPerBeat, 2);
    file.Text("MTrk");
    BigEndian(file, static_cast<std::uint32_t>(body.size()), 4);
    file.Bytes(body);
    return file.bytes;
}

}  // namespace orb::samples
