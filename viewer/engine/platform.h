// The narrow interfaces through which the portable engine reaches its host: the
// display back-end, the two sound players, the user profile, the clock, the desktop
// capture, user input, reports and the way to end the program. Each host (headless,
// SDL window, Windows screen saver) implements the ones it needs; `Platform` bundles
// them and any member left null gets a silent default (see platform.cpp).
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "common/formats/project_settings.h"
#include "common/report.h"
#include "viewer/engine/keyed_copy.h"
#include "viewer/engine/rect.h"

namespace orb {

class GXDrawingSurface;

// ---------------------------------------------------------------- display

// Outcome of one surface copy. Memory back-ends always succeed; a DirectDraw-like
// back-end may report that the copy should be repeated or that its surfaces were
// lost (the draw list then runs its recovery and abandons the frame).
enum class BlitResult { Ok, StillDrawing, SurfaceLost, Failed };

// A surface created by a back-end; the draw list only holds and passes it back.
class DisplaySurface {
public:
    virtual ~DisplaySurface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// One rectangle of screen pixels to fill with a colour (red in the low byte).
struct ScreenFill {
    Rect rect;
    std::uint32_t colour = 0;
};

// What the draw list needs of a display: a screen, off-screen surfaces, drawing a
// picture into a surface, copies between surfaces (optionally skipping white) and
// lost-surface recovery. All coordinates are pixels from the top-left.
class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // Opens the screen (the primary surface) at the given size and bits per pixel.
    // False after reporting the reason.
    virtual bool Open(int width, int height, int bitsPerPixel, ReportSink& reports) = 0;
    // Releases the screen and gives the display back as it was; surfaces already
    // handed out stay valid until destroyed. Failures go to `reports`.
    virtual void Close(ReportSink& reports) = 0;
    // Depth (8 or 24) of the pictures the draw list should prepare for this display.
    virtual int DrawingDepth() const = 0;
    // The screen; valid between Open and Close.
    virtual DisplaySurface& Screen() = 0;
    // An off-screen surface, or null when the back-end refuses one.
    virtual std::unique_ptr<DisplaySurface> CreateSurface(int width, int height) = 0;
    // Draws `picture` 1:1 with its top-left at (x, y), clipped to the surface, as a
    // plain copy. The picture has the drawing depth. False when the surface cannot
    // be drawn into at the moment.
    virtual bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x,
                             int y) = 0;
    // Copies `sourceRect` of `source` to (x, y) of `target`; with `keyed`, white
    // source pixels leave the target unchanged. The rectangle is clipped to both.
    virtual BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source,
                            const Rect& sourceRect, bool keyed) = 0;
    // Whether BlitPicture works here. Where it does, the draw list blits sprites
    // straight from their pictures and never draws them into their surfaces: a
    // sprite whose picture changes every frame is then copied once a frame, not twice.
    virtual bool BlitsPictures() const { return false; }
    // Blit with a picture in memory (at the drawing depth) as the source. Where
    // `colourRows` has a span for each of its rows (top first), a keyed blit needs
    // to read nothing outside them: the picture is white there.
    virtual BlitResult BlitPicture(DisplaySurface&, int, int, const GXDrawingSurface&,
                                   std::span<const RowSpan>, const Rect&, bool) {
        return BlitResult::Failed;
    }
    // Gives a surface the white source colour key used by keyed blits.
    virtual void SetColourKey(DisplaySurface& surface) = 0;
    // Recovers a lost surface's memory (content must be drawn again). True when done.
    virtual bool Restore(DisplaySurface& surface) = 0;
    // Fills rectangles straight onto the screen, in order (the star field draws this
    // way after the frame has been presented). False when the screen cannot be drawn
    // on now.
    virtual bool FillOnScreen(std::span<const ScreenFill> fills) = 0;
};

// ---------------------------------------------------------------- sound

// A fire-and-forget wave player that sounds one wave at a time (a new one replaces
// the one playing). The engine hands it each sound's file bytes once at the start;
// the host keeps them as it likes (the Windows saver writes "temp1.wav" ... there).
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Keeps the wave file bytes for `slot`. False when they cannot be kept (the host
    // has then reported and, where the saver must end, asked to quit).
    virtual bool Prepare(SoundSlot slot, std::span<const std::uint8_t> waveFile) = 0;
    // Starts the prepared sound asynchronously, looping when asked. An unprepared or
    // unplayable slot is silence.
    virtual void Play(SoundSlot slot, bool loop) = 0;
    // Stops whatever plays and forgets every prepared sound.
    virtual void StopAll() = 0;
};

// The backing track player for standard MIDI files.
class MidiPlayer {
public:
    virtual ~MidiPlayer() = default;
    // Takes the MIDI file bytes; false when they cannot be played.
    virtual bool Open(std::span<const std::uint8_t> midiFile) = 0;
    // Plays from `startMs` to `endMs` (-1: to the end) and then `repeats` more times
    // (-1: without end). False on failure.
    virtual bool Play(int repeats, int startMs, int endMs) = 0;
    virtual void Stop() = 0;
};

// ---------------------------------------------------------------- system

// The user profile (WIN.INI on Windows): string values by section and key.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view fallback) = 0;
};

// Calendar time in seconds (seeds the RANDOM mode).
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t NowSeconds() = 0;
};

// A copy of what the screen showed before the show started.
class DesktopSource {
public:
    virtual ~DesktopSource() = default;
    // Fills `picture` with a 24-bit copy of the whole screen. False when there is
    // nothing to capture (the Desktop background then cannot be used).
    virtual bool Capture(GXDrawingSurface& picture) = 0;
};

// The screen saver's "did the user touch anything" test while it loads.
class InputMonitor {
public:
    virtual ~InputMonitor() = default;
    // Remembers the current key states and cursor position.
    virtual void TakeSnapshot() = 0;
    // True when a key or the cursor changed since the snapshot.
    virtual bool InputSinceSnapshot() = 0;
};

// Where the program's end is requested: the code becomes the process exit code.
class QuitSink {
public:
    virtual ~QuitSink() = default;
    virtual void QuitWithCode(int code) = 0;
};

// Diagnostic text ("Viewer claims started", "In Deinitialise", ...); hosts may
// drop it.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void Trace(std::string_view text) = 0;
};

// Screen facts the show is built for.
struct ScreenFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;  // 8 for a palette display
};

// Everything a host provides. Null members get silent defaults: no display
// (StartShow then fails with exit code 1), no sound, default profile values,
// clock 0, no desktop, no input, reports and traces dropped, quit only recorded.
struct Platform {
    ScreenFacts screen;
    DisplayBackend* display = nullptr;
    WavePlayer* wave = nullptr;
    MidiPlayer* midi = nullptr;
    ProfileStore* profile = nullptr;
    Clock* clock = nullptr;
    DesktopSource* desktop = nullptr;
    InputMonitor* input = nullptr;
    ReportSink* reports = nullptr;
    QuitSink* quit = nullptr;
    TraceSink* trace = nullptr;
};

// Silent stand-ins for the members a host leaves null.
struct PlatformDefaults {
    PlatformDefaults();
    ~PlatformDefaults();
    std::unique_ptr<DisplayBackend> display;  // refuses to open
    std::unique_ptr<WavePlayer> wave;
    std::unique_ptr<MidiPlayer> midi;
    std::unique_ptr<ProfileStore> profile;  // every key its fallback
    std::unique_ptr<Clock> clock;           // always 0
    std::unique_ptr<DesktopSource> desktop; // nothing to capture
    std::unique_ptr<InputMonitor> input;    // never any input
    std::unique_ptr<ReportSink> reports;
    std::unique_ptr<QuitSink> quit;
    std::unique_ptr<TraceSink> trace;
};

// `platform` with every null member pointing at the matching default.
Platform WithDefaults(const Platform& platform, const PlatformDefaults& defaults);

}  // namespace orb
