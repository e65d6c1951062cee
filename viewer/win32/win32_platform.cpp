#include "viewer/win32/win32_platform.h"

#include <mmsystem.h>

#include <cstdio>
#include <ctime>

#include "common/imaging/drawing_surface.h"
#include "viewer/win32/message_box.h"
#include "win32/shared/dib_info.h"
#include "win32/shared/profile_value.h"

namespace orb {
namespace {

constexpr const char* kSoundFileNames[kSoundSlots] = {"temp1.wav", "temp2.wav", "temp3.wav", "temp4.wav"};
constexpr char kMusicSpaceMessage[] =
    "Insufficent disk space for Orbellan screensaver to re-save background soundtrack; please free at least %ldk\n";
constexpr char kEffectSpaceMessage[] =
    "Insufficent disk space for Orbellan screensaver to re-save a .wav soundtrack; please free at least %ldk\n";

// A file handle closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// Bytes that reached the file: the whole block in one request. The system tells
// how much of a short write landed (the C library would only say it failed).
std::size_t WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    DWORD written = 0;
    if (!file.Valid() || bytes.size() > MAXDWORD ||
        !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return 0;
    return written;
}

}  // namespace

std::string WriteSoundFile(TempSoundFolder& folder, const char* name, std::span<const std::uint8_t> bytes,
                           const char* message, QuitSink& quit) {
    if (folder.OutOfSpace()) return {};
    std::string path = folder.PathOf(name);
    std::size_t written = path.empty() ? 0 : WriteWhole(path, bytes);
    if (written == bytes.size()) return path;
    char text[256];
    std::snprintf(text, sizeof text, message, static_cast<long>((bytes.size() - written) / 1000));
    ShowMessageBox(GetActiveWindow(), text, "Information", MB_OK);
    folder.MarkOutOfSpace();
    quit.QuitWithCode(0);
    return {};
}

bool Win32WavePlayer::Prepare(SoundSlot slot, std::span<const std::uint8_t> waveFile) {
    if (slot >= kSoundSlots) return false;
    const char* message = slot == kMusicSound ? kMusicSpaceMessage : kEffectSpaceMessage;
    paths_[slot] = WriteSoundFile(folder_, kSoundFileNames[slot], waveFile, message, quit_);
    return !paths_[slot].empty();
}

void Win32WavePlayer::Play(SoundSlot slot, bool loop) {
    if (slot >= kSoundSlots || paths_[slot].empty()) return;
    const std::string& path = paths_[slot];
    sndPlaySoundA(path.c_str(), SND_ASYNC | SND_NODEFAULT | (loop ? SND_LOOP : 0));
}

void Win32WavePlayer::StopAll() {
    // The wave player must let go of the files before they can be deleted.
    sndPlaySoundA(nullptr, 0);
    for (std::string& path : paths_) path.clear();
}

Win32MidiPlayer::Win32MidiPlayer(TempSoundFolder& folder, QuitSink& quit)
    : folder_(folder), quit_(quit), player_([&quit](int code) { quit.QuitWithCode(code); }) {}

bool Win32MidiPlayer::Open(std::span<const std::uint8_t> midiFile) {
    std::string path = WriteSoundFile(folder_, "temp1.mid", midiFile, kMusicSpaceMessage, quit_);
    return !path.empty() && player_.Open(path.c_str());
}

std::string Win32Profile::GetString(std::string_view section, std::string_view key, std::string_view fallback) {
    return ReadSetting(std::string(section).c_str(), std::string(key).c_str(), std::string(fallback).c_str());
}

std::uint32_t Win32Clock::NowSeconds() { return static_cast<std::uint32_t>(std::time(nullptr)); }

bool Win32Desktop::Capture(GXDrawingSurface& picture) {
    const Rect area = area_.IsEmpty() ? Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} : area_;
    const int width = area.Width(), height = area.Height();
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = Dib24Header(width, height);
    void* bits = nullptr;
    HBITMAP section = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool captured = false;
    if (section && bits) {
        HGDIOBJ previous = SelectObject(memory, section);
        captured = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, previous);
        if (captured) {
            picture.Create(24, width, height);
            const auto* source = static_cast<const std::uint8_t*>(bits);
            std::copy(source, source + picture.ImageBytes(), picture.pixels.begin());
        }
    }
    if (section) DeleteObject(section);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}

void Win32Input::TakeSnapshot() {
    for (UINT scan = 0; scan < 256; ++scan) keys_[scan] = GetAsyncKeyState(MapVirtualKeyA(scan, MAPVK_VSC_TO_VK));
    GetCursorPos(&cursor_);
}

bool Win32Input::InputSinceSnapshot() {
    for (UINT scan = 0; scan < 255; ++scan) {
        SHORT now = GetAsyncKeyState(MapVirtualKeyA(scan, MAPVK_VSC_TO_VK));
        // Only the "down now" bit counts: the "pressed since last asked" bit flips on reads.
        if ((now & 0x8000) && (now & 0x8000) != (keys_[scan] & 0x8000)) return true;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    return cursor.x != cursor_.x || cursor.y != cursor_.y;
}

}  // namespace orb

namespace orb {

ScreenFacts MeasureScreen() {
    ScreenFacts facts;
    facts.width = GetSystemMetrics(SM_CXSCREEN);
    facts.height = GetSystemMetrics(SM_CYSCREEN);
    if (HDC dc = GetDC(nullptr)) {
        facts.bitsPerPixel = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? 8 : GetDeviceCaps(dc, BITSPIXEL);
        ReleaseDC(nullptr, dc);
    }
    return facts;
}

}  // namespace orb
