#include "viewer/win32/mci_midi_player.h"

namespace orb {
namespace {

constexpr char kNotifyClass[] = "ILMMIDI";

int SystemDeviceCount() {
    MIDIOUTCAPSA caps;
    if (midiOutGetDevCapsA(MIDI_MAPPER, &caps, sizeof caps) != MMSYSERR_NOERROR) return 0;
    return static_cast<int>(midiOutGetNumDevs());
}

}  // namespace

const MidiSystem& SystemMidi() {
    static const MidiSystem system{SystemDeviceCount, RegisterClassA, mciSendCommandA};
    return system;
}

MciMidiPlayer::MciMidiPlayer(const std::function<void(int)>& quit, const MidiSystem& system) : system_(system) {
    if (system_.deviceCount() == 0) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA notifyClass{};
    notifyClass.lpfnWndProc = WindowProc;
    notifyClass.hInstance = instance;
    notifyClass.lpszClassName = kNotifyClass;
    if (!system_.registerClass(&notifyClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
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

bool MciMidiPlayer::Send(UINT command, DWORD_PTR flags, const void* parameters) const {
    return system_.send(device_, command, flags, reinterpret_cast<DWORD_PTR>(parameters)) == 0;
}

bool MciMidiPlayer::Open(const char* path) {
    if (playing_ || device_) Close();
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "sequencer";
    open.lpstrElementName = path;
    if (!Send(MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, &open)) return false;
    device_ = open.wDeviceID;
    MCI_SET_PARMS format{};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    MCI_STATUS_PARMS port{};
    port.dwItem = MCI_SEQ_STATUS_PORT;
    MCI_STATUS_PARMS length{};
    length.dwItem = MCI_STATUS_LENGTH;
    length.dwTrack = 1;
    if (!Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &format) ||
        !Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &port) ||
        !Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK | MCI_WAIT, &length)) {
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
        Send(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, nullptr);
    }
    if (end_ != -1) {
        play.dwTo = static_cast<DWORD>(end_);
        flags |= MCI_TO;
    }
    if (!Send(MCI_PLAY, flags, &play)) {
        Close();
        return false;
    }
    playing_ = true;
    return true;
}

void MciMidiPlayer::Stop() {
    if (!device_) return;
    if (!Send(MCI_STOP, MCI_WAIT, nullptr))
        Close();
    else
        playing_ = false;
}

void MciMidiPlayer::Close() {
    playing_ = false;
    if (device_) Send(MCI_CLOSE, MCI_WAIT, nullptr);
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
