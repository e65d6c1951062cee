// Backing music from a MIDI file through the MCI "sequencer" device. The device
// plays on its own and reports the end of play to a hidden window of class
// "ILMMIDI", whose procedure replays the piece while repeats remain.
#pragma once
#include <windows.h>

#include <mmsystem.h>

#include <functional>

namespace orb {

// The system calls the player relies on; tests stand in for a MIDI device or a
// refused window class with their own.
struct MidiSystem {
    // MIDI output devices, 0 also when the MIDI mapper cannot be asked.
    int (*deviceCount)();
    ATOM(WINAPI* registerClass)(const WNDCLASSA*);
    MCIERROR(WINAPI* send)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
};
const MidiSystem& SystemMidi();

class MciMidiPlayer {
public:
    // quit receives 400 when the window class cannot be registered and 401 when
    // the window cannot be made; with no MIDI output device no window is made.
    explicit MciMidiPlayer(const std::function<void(int)>& quit, const MidiSystem& system = SystemMidi());
    ~MciMidiPlayer();
    MciMidiPlayer(const MciMidiPlayer&) = delete;
    MciMidiPlayer& operator=(const MciMidiPlayer&) = delete;

    bool Open(const char* path);
    // repeats: -1 without end, otherwise replays still to come; end -1: to the end.
    bool Play(int repeats, int start, int end);
    void Stop();
    void Close();

    bool Playing() const { return playing_; }
    DWORD LengthMs() const { return length_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool PlayRange();
    void EndOfPlay();

    bool Send(UINT command, DWORD_PTR flags, const void* parameters) const;

    MidiSystem system_;
    MCIDEVICEID device_ = 0;
    bool playing_ = false;
    int repeats_ = 0;
    int start_ = 0;
    int end_ = -1;
    HWND window_ = nullptr;
    DWORD length_ = 0;
};

}  // namespace orb
