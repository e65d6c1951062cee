#include "viewer/win32/mci_midi_player.h"

#include <mmsystem.h>

namespace orb {
namespace {

constexpr char kNotifyClass[] = "ILMMIDI";

}  // namespace

MciMidiPlayer::MciMidiPlayer(const std::function<void(int)>& quit) {
    deviceCount_ = static_cast<int>(midiOutGetNumDevs());
    MIDIOUTCAPSA caps;
    if (midiOutGetDevCapsA(MIDI_MAPPER, &caps, sizeof caps) != MMSYSERR_NOERROR) deviceCount_ = 0;
    if (deviceCount_ == 0) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA notifyClass{};
    notifyClass.lpfnWndProc = WindowProc;
    notifyClass.hInstance = instance;
    notifyClass.lpszClassName = kNotifyClass;
    if (!RegisterClassA(&notifyClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        quit(400);
        return;
    }
    window_ = CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window_) {
        quit(401);
        return;
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MciMidiPlayer::~MciMidiPlayer() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    Close();
}

bool MciMidiPlayer::Open(const char* path) {
    if (playing_ || device_) Close();
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "sequencer";
    open.lpstrElementName = path;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return false;
    device_ = open.wDeviceID;
    MCI_SET_PARMS format{};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    MCI_STATUS_PARMS port{};
    port.dwItem = MCI_SEQ_STATUS_PORT;
    MCI_STATUS_PARMS length{};
    length.dwItem = MCI_STATUS_LENGTH;
    length.dwTrack = 1;
    if (mciSendCommandA(device_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&format)) ||
        mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&port)) ||
        mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&length))) {
        Close();
        return false;
    }
    length_ = static_cast<DWORD>(length.dwReturn);
    return true;
}

bool MciMidiPlayer::Play(int repeats, int start, int end) {
    repeats_ = repeats;
    start_ = start;
    end_ = end;
    return PlayRange();
}

bool MciMidiPlayer::PlayRange() {
    if (!device_) return false;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    DWORD flags = window_ ? MCI_NOTIFY : 0;
    if (start_ != 0) {
        play.dwFrom = static_cast<DWORD>(start_);
        flags |= MCI_FROM;
    } else {
        // From the beginning, also when the piece has played to its end before.
        mciSendCommandA(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, 0);
    }
    if (end_ != -1) {
        play.dwTo = static_cast<DWORD>(end_);
        flags |= MCI_TO;
    }
    if (mciSendCommandA(device_, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&play)) != 0) {
        Close();
        return false;
    }
    playing_ = true;
    return true;
}

void MciMidiPlayer::Stop() {
    if (!device_) return;
    if (mciSendCommandA(device_, MCI_STOP, MCI_WAIT, 0) != 0)
        Close();
    else
        playing_ = false;
}

void MciMidiPlayer::Close() {
    playing_ = false;
    if (device_) mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, 0);
    device_ = 0;
}

void MciMidiPlayer::EndOfPlay() {
    if (repeats_ == -1) {
        PlayRange();
    } else if (repeats_ > 0) {
        --repeats_;
        PlayRange();
    } else {
        Close();
    }
}

LRESULT CALLBACK MciMidiPlayer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        auto* player = reinterpret_cast<MciMidiPlayer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        // Only a piece that played through counts; a stop or a new play also notifies.
        if (player && wParam == MCI_NOTIFY_SUCCESSFUL && static_cast<MCIDEVICEID>(lParam) == player->device_)
            player->EndOfPlay();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace orb
