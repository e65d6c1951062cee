// The MIDI player over a stand-in MCI device: what it asks the device at each end
// of play (replay while repeats remain, then close), and the exit codes when its
// notification window cannot be had.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "viewer/win32/mci_midi_player.h"

namespace orb {
namespace {

constexpr MCIDEVICEID kDevice = 5;
constexpr DWORD kLengthMs = 61000;

// One request to the device: the command, its flags and, for a play, the range.
struct Request {
    UINT command;
    DWORD_PTR flags;
    DWORD from = 0;
    DWORD to = 0;
    friend bool operator==(const Request&, const Request&) = default;
};
std::vector<Request> requests;

MCIERROR WINAPI RecordRequest(MCIDEVICEID, UINT command, DWORD_PTR flags, DWORD_PTR parameters) {
    Request request{command, flags};
    if (command == MCI_OPEN) reinterpret_cast<MCI_OPEN_PARMSA*>(parameters)->wDeviceID = kDevice;
    if (command == MCI_STATUS) reinterpret_cast<MCI_STATUS_PARMS*>(parameters)->dwReturn = kLengthMs;
    if (command == MCI_PLAY) {
        const auto* play = reinterpret_cast<const MCI_PLAY_PARMS*>(parameters);
        request.from = static_cast<DWORD>(play->dwFrom);
        request.to = static_cast<DWORD>(play->dwTo);
    }
    requests.push_back(request);
    return 0;
}
int OneDevice() { return 1; }
int NoDevice() { return 0; }
ATOM WINAPI RefuseClass(const WNDCLASSA*) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

const MidiSystem kOneDevice{OneDevice, RegisterClassA, RecordRequest};

const Request kSeekToStart{MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT};
const Request kPlayToEnd{MCI_PLAY, MCI_NOTIFY};
const Request kClose{MCI_CLOSE, MCI_WAIT};

HWND NotifyWindow() { return FindWindowA("ILMMIDI", nullptr); }

// The notice the device sends its window when a play ends.
void EndOfPlay(WPARAM how = MCI_NOTIFY_SUCCESSFUL, MCIDEVICEID device = kDevice) {
    SendMessageA(NotifyWindow(), MM_MCINOTIFY, how, device);
}

struct OpenPlayer : ::testing::Test {
    void SetUp() override {
        requests.clear();
        ASSERT_NE(NotifyWindow(), nullptr);
        ASSERT_TRUE(player.Open("temp1.mid"));
        EXPECT_EQ(player.LengthMs(), kLengthMs);
        // Open, milliseconds, the port, the length of track 1.
        ASSERT_EQ(requests.size(), 4u);
        EXPECT_EQ(requests[0].command, static_cast<UINT>(MCI_OPEN));
        EXPECT_EQ(requests[1].command, static_cast<UINT>(MCI_SET));
        requests.clear();
    }
    std::vector<int> quits;
    MciMidiPlayer player{[this](int code) { quits.push_back(code); }, kOneDevice};
};

// Loop music off asks for one repeat: the piece plays, plays once more from the
// start, and the device closes at the second end.
TEST_F(OpenPlayer, OneRepeatReplaysOnceThenCloses) {
    ASSERT_TRUE(player.Play(1, 0, -1));
    EXPECT_EQ(requests, (std::vector<Request>{kSeekToStart, kPlayToEnd}));
    const std::vector<Request> afterEachEnd[] = {{kSeekToStart, kPlayToEnd}, {kClose}, {}};
    for (const auto& expected : afterEachEnd) {
        requests.clear();
        EndOfPlay();
        EXPECT_EQ(requests, expected);
    }
    EXPECT_FALSE(player.Playing());
    EXPECT_TRUE(quits.empty());
}

// Loop music on (repeats -1) starts again at every end and never closes.
TEST_F(OpenPlayer, EndlessRepeatPlaysAgainAtEveryEnd) {
    ASSERT_TRUE(player.Play(-1, 0, -1));
    for (int end = 1; end <= 3; ++end) {
        requests.clear();
        EndOfPlay();
        EXPECT_EQ(requests, (std::vector<Request>{kSeekToStart, kPlayToEnd})) << "end " << end;
    }
    EXPECT_TRUE(player.Playing());
}

// A range plays from its start without seeking; two repeats give two replays of
// the same range, and the third end closes.
TEST_F(OpenPlayer, ARangeIsReplayedAsGiven) {
    const Request range{MCI_PLAY, MCI_NOTIFY | MCI_FROM | MCI_TO, 500, 1500};
    ASSERT_TRUE(player.Play(2, 500, 1500));
    const std::vector<Request> afterEachEnd[] = {{range}, {range}, {kClose}};
    EXPECT_EQ(requests, std::vector<Request>{range});
    for (const auto& expected : afterEachEnd) {
        requests.clear();
        EndOfPlay();
        EXPECT_EQ(requests, expected);
    }
}

// A stop, a superseded play or another device also notify; none is an end of play.
TEST_F(OpenPlayer, OnlyAPieceThatPlayedThroughCounts) {
    ASSERT_TRUE(player.Play(1, 0, -1));
    requests.clear();
    EndOfPlay(MCI_NOTIFY_ABORTED);
    EndOfPlay(MCI_NOTIFY_SUPERSEDED);
    EndOfPlay(MCI_NOTIFY_SUCCESSFUL, kDevice + 1);
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(player.Playing());
}

TEST(MidiPlayerWindow, NoDeviceNoWindowAndNoExit) {
    std::vector<int> quits;
    MciMidiPlayer player{[&](int code) { quits.push_back(code); }, MidiSystem{NoDevice, RegisterClassA, RecordRequest}};
    EXPECT_EQ(NotifyWindow(), nullptr);
    EXPECT_TRUE(quits.empty());
}

TEST(MidiPlayerWindow, ARefusedWindowClassEndsWith400) {
    std::vector<int> quits;
    MciMidiPlayer player{[&](int code) { quits.push_back(code); }, MidiSystem{OneDevice, RefuseClass, RecordRequest}};
    EXPECT_EQ(quits, std::vector<int>{400});
    EXPECT_EQ(NotifyWindow(), nullptr);
}

// The system refuses the window when a hook says so, as it does when it runs out.
LRESULT CALLBACK RefuseNotifyWindow(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        std::string(name) == "ILMMIDI")
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MidiPlayerWindow, ARefusedWindowEndsWith401) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseNotifyWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    std::vector<int> quits;
    {
        MciMidiPlayer player{[&](int code) { quits.push_back(code); }, kOneDevice};
    }
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(quits, std::vector<int>{401});
}

}  // namespace
}  // namespace orb
