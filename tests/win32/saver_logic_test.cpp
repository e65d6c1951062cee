// The screen-saver library's and viewer's decisions that need no window.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "viewer/win32/display_modes.h"
#include "viewer/win32/monitor_option.h"
#include "viewer/win32/saver_screens.h"
#include "viewer/win32/saver_switches.h"
#include "viewer/win32/sound_option.h"
#include "viewer/win32/temp_sound_folder.h"
#include "viewer/win32/viewer_paths.h"
#include "viewer/win32/win32_platform.h"

namespace orb {
namespace {

TEST(SaverSwitches, SystemCommandLines) {
    EXPECT_EQ(ParseSaverSwitches("/s").run, SaverRun::FullScreen);
    EXPECT_EQ(ParseSaverSwitches("-S").run, SaverRun::FullScreen);
    SaverSwitches preview = ParseSaverSwitches("/p 1234");
    EXPECT_EQ(preview.run, SaverRun::Preview);
    EXPECT_EQ(preview.window, 1234u);
    SaverSwitches owned = ParseSaverSwitches("/c:5678");
    EXPECT_EQ(owned.run, SaverRun::OptionsFor);
    EXPECT_EQ(owned.window, 5678u);
    EXPECT_EQ(ParseSaverSwitches("/c 42").window, 42u);
    EXPECT_EQ(ParseSaverSwitches("/c").run, SaverRun::Options);
    EXPECT_EQ(ParseSaverSwitches("").run, SaverRun::Options);
    EXPECT_EQ(ParseSaverSwitches("   ").run, SaverRun::Options);
    EXPECT_EQ(ParseSaverSwitches("/a 99").run, SaverRun::Nothing);
}

TEST(SaverSwitches, PreviewNeedsLowerCasePAndAWindow) {
    // The viewer decides the preview by a lower-case p; an upper-case one is a full run.
    EXPECT_EQ(ParseSaverSwitches("/P 1234").run, SaverRun::FullScreen);
    EXPECT_EQ(ParseSaverSwitches("/p").run, SaverRun::Nothing);
    EXPECT_EQ(ParseSaverSwitches("/p x12").run, SaverRun::Nothing);
    EXPECT_EQ(ParseSaverSwitches("/p 99999999999999999999999").run, SaverRun::Nothing);
    EXPECT_TRUE(IsPreviewArgument("/p"));
    EXPECT_FALSE(IsPreviewArgument("/P"));
    EXPECT_FALSE(IsPreviewArgument("/s"));
    EXPECT_FALSE(IsPreviewArgument("p"));
}

TEST(ViewerPaths, ProjectReplacesTheLastThreeCharacters) {
    EXPECT_EQ(ProjectPathFor("C:\\SAVERS\\FISH.SCR"), "C:\\SAVERS\\FISH.apj");
    EXPECT_EQ(ProjectPathFor("C:\\A\\B.EXE"), "C:\\A\\B.apj");
    EXPECT_EQ(ProjectPathFor("ab"), "");
    EXPECT_EQ(ProjectPathFor(std::string(256, 'x')), "");
    EXPECT_EQ(ProjectPathFor(std::string(255, 'x')).size(), 255u);
}

TEST(DisplayModes, BackEndByDepthAndLibrary) {
    EXPECT_EQ(ChooseDisplayBackEnd(16, true, true), DisplayBackEnd::DirectDraw);
    EXPECT_EQ(ChooseDisplayBackEnd(24, true, true), DisplayBackEnd::DirectDraw);
    EXPECT_EQ(ChooseDisplayBackEnd(32, true, true), DisplayBackEnd::Gdi);
    EXPECT_EQ(ChooseDisplayBackEnd(8, true, true), DisplayBackEnd::Gdi);
    EXPECT_EQ(ChooseDisplayBackEnd(16, false, true), DisplayBackEnd::Gdi);
    // A show over several monitors: never DirectDraw, whose exclusive mode covers the primary only.
    EXPECT_EQ(ChooseDisplayBackEnd(16, true, false), DisplayBackEnd::Gdi);
    EXPECT_EQ(ChooseDisplayBackEnd(24, true, false), DisplayBackEnd::Gdi);
}

TEST(SoundOption, OnlyACapitalNSwitchesSoundOff) {
    EXPECT_TRUE(SoundValueIsOn(""));
    EXPECT_TRUE(SoundValueIsOn("Y"));
    EXPECT_TRUE(SoundValueIsOn("no"));
    EXPECT_FALSE(SoundValueIsOn("N"));
    EXPECT_FALSE(SoundValueIsOn("Nope"));
}

TEST(SoundOption, WritesAndReadsTheProfile) {
    WriteSoundOption(false);
    EXPECT_FALSE(ReadSoundOption());
    char value[16] = {};
    GetProfileStringA("EnableSound", "SoundsOn", "", value, sizeof value);
    EXPECT_STREQ(value, "N");
    WriteSoundOption(true);
    EXPECT_TRUE(ReadSoundOption());
    WriteProfileStringA("EnableSound", nullptr, nullptr);
    EXPECT_TRUE(ReadSoundOption());  // missing means on
}

TEST(MonitorOption, ValuesAndTheirArrangements) {
    const struct {
        const char* value;
        MonitorArrangement arrangement;
    } cases[] = {{"Span", MonitorArrangement::Span},
                 {"Mirror", MonitorArrangement::Mirror},
                 {"Primary", MonitorArrangement::Primary},
                 // Missing or unknown: the default, one show over every monitor.
                 {"", MonitorArrangement::Span},
                 {"mirror", MonitorArrangement::Span},
                 {"Both", MonitorArrangement::Span}};
    for (const auto& c : cases) EXPECT_EQ(MonitorValueArrangement(c.value), c.arrangement) << c.value;
    EXPECT_STREQ(MonitorValueName(MonitorArrangement::Span), "Span");
    EXPECT_STREQ(MonitorValueName(MonitorArrangement::Mirror), "Mirror");
    EXPECT_STREQ(MonitorValueName(MonitorArrangement::Primary), "Primary");
}

TEST(MonitorOption, WritesBesideTheSoundOption) {
    WriteSoundOption(false);
    WriteMonitorOption(MonitorArrangement::Mirror);
    char value[16] = {};
    GetProfileStringA("EnableSound", "Monitors", "", value, sizeof value);
    EXPECT_STREQ(value, "Mirror");
    EXPECT_EQ(ReadMonitorOption(), MonitorArrangement::Mirror);
    EXPECT_FALSE(ReadSoundOption());  // untouched
    WriteMonitorOption(MonitorArrangement::Primary);
    EXPECT_EQ(ReadMonitorOption(), MonitorArrangement::Primary);
    WriteProfileStringA("EnableSound", nullptr, nullptr);
    EXPECT_EQ(ReadMonitorOption(), MonitorArrangement::Span);  // missing means span
}

struct PlanCase {
    const char* name;
    std::vector<Rect> monitors;
    MonitorArrangement arrangement;
    Rect window;
    int showWidth, showHeight;
    std::vector<Rect> views;
    Rect capture;
    std::vector<Rect> blackouts;
    bool directDraw;
};

TEST(SaverScreens, WindowsShowAndBackEndByArrangement) {
    const Rect primary{0, 0, 1280, 1024}, right{1280, 0, 2304, 768};
    const PlanCase cases[] = {
        // One monitor: the saver as it always was, whatever the option says.
        {"one monitor", {{0, 0, 1024, 768}}, MonitorArrangement::Span, {0, 0, 1024, 768}, 1024, 768,
         {{0, 0, 1024, 768}}, {0, 0, 1024, 768}, {}, true},
        {"one monitor, mirror", {{0, 0, 1024, 768}}, MonitorArrangement::Mirror, {0, 0, 1024, 768}, 1024, 768,
         {{0, 0, 1024, 768}}, {0, 0, 1024, 768}, {}, true},
        // One show over the 2304 x 1024 bounding box, through GDI.
        {"span", {primary, right}, MonitorArrangement::Span, {0, 0, 2304, 1024}, 2304, 1024, {{0, 0, 2304, 1024}},
         {0, 0, 2304, 1024}, {}, false},
        // Built at the primary's size, shown on both.
        {"mirror", {primary, right}, MonitorArrangement::Mirror, {0, 0, 2304, 1024}, 1280, 1024,
         {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}}, primary, {}, false},
        // The saver window on the primary alone; DirectDraw may serve it; the other monitor black.
        {"primary", {primary, right}, MonitorArrangement::Primary, primary, 1280, 1024, {{0, 0, 1280, 1024}},
         primary, {right}, true},
        // A monitor left of the primary: the window starts at x -1280, so the primary's
        // view starts 1280 pixels into it.
        {"mirror, second on the left", {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}}, MonitorArrangement::Mirror,
         {-1280, 0, 1920, 1080}, 1920, 1080, {{1280, 0, 3200, 1080}, {0, 0, 1280, 1024}}, {0, 0, 1920, 1080}, {},
         false},
    };
    for (const PlanCase& c : cases) {
        const SaverScreens plan = PlanSaverScreens(c.monitors, c.arrangement);
        EXPECT_EQ(plan.window, c.window) << c.name;
        EXPECT_EQ(plan.showWidth, c.showWidth) << c.name;
        EXPECT_EQ(plan.showHeight, c.showHeight) << c.name;
        EXPECT_EQ(plan.views, c.views) << c.name;
        EXPECT_EQ(plan.capture, c.capture) << c.name;
        EXPECT_EQ(plan.blackouts, c.blackouts) << c.name;
        EXPECT_EQ(plan.directDrawAllowed, c.directDraw) << c.name;
    }
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class RecordQuit final : public QuitSink {
public:
    void QuitWithCode(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

TEST(TempSoundFolder, PrivateFolderUnderTempIsRemovedWithItsFiles) {
    std::string folder, file;
    {
        TempSoundFolder sounds;
        RecordQuit quit;
        const std::uint8_t bytes[] = {'R', 'I', 'F', 'F', 1, 2, 3};
        file = WriteSoundFile(sounds, "temp2.wav", bytes, "%ldk\n", quit);
        ASSERT_FALSE(file.empty());
        folder = sounds.Folder();
        char temp[MAX_PATH + 1];
        GetTempPathA(sizeof temp, temp);
        EXPECT_EQ(folder.rfind(temp, 0), 0u) << folder;
        EXPECT_TRUE(Exists(file));
        EXPECT_EQ(file, folder + "\\temp2.wav");
        FILE* in = std::fopen(file.c_str(), "rb");
        ASSERT_NE(in, nullptr);
        std::uint8_t back[16];
        EXPECT_EQ(std::fread(back, 1, sizeof back, in), sizeof bytes);
        std::fclose(in);
        EXPECT_TRUE(quit.codes.empty());
        sounds.Remove();
        EXPECT_FALSE(Exists(file));
        EXPECT_FALSE(Exists(folder));
        sounds.Remove();  // twice is harmless
    }
    // Two savers at once never share a folder.
    TempSoundFolder a, b;
    EXPECT_NE(a.PathOf("temp1.mid"), b.PathOf("temp1.mid"));
}

// A sound file that cannot be written whole (here a folder stands in its place)
// shows the message once, with the shortfall in thousands of bytes (2500 bytes
// missing: 2500 / 1000 = 2), and asks to end with 0. The next sound file is not
// tried, so a full disc shows one box, not one per sound.
TEST(TempSoundFolder, AShortWriteSaysSoOnceAndEndsWith0) {
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    const std::string log = std::string(temp) + "orb_sound_space_log.txt";
    DeleteFileA(log.c_str());
    _putenv(("ORB_REPORT_LOG=" + log).c_str());
    TempSoundFolder sounds;
    RecordQuit quit;
    const std::string blocked = sounds.PathOf("temp1.mid");
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    const std::vector<std::uint8_t> bytes(2500, 7);
    EXPECT_TRUE(WriteSoundFile(sounds, "temp1.mid", bytes, "free %ldk\n", quit).empty());
    EXPECT_TRUE(WriteSoundFile(sounds, "temp2.wav", bytes, "free %ldk\n", quit).empty());
    EXPECT_FALSE(Exists(sounds.Folder() + "\\temp2.wav"));
    EXPECT_EQ(quit.codes, std::vector<int>{0});
    _putenv("ORB_REPORT_LOG=");
    RemoveDirectoryA(blocked.c_str());
    std::string text;
    if (FILE* in = std::fopen(log.c_str(), "rb")) {
        char buffer[256];
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, in));
        std::fclose(in);
    }
    EXPECT_EQ(text, "Information: free 2k\n");
    DeleteFileA(log.c_str());
}

TEST(TempSoundFolder, DestructionRemovesWhatIsLeft) {
    std::string folder;
    {
        TempSoundFolder sounds;
        RecordQuit quit;
        const std::uint8_t bytes[] = {1};
        WriteSoundFile(sounds, "temp1.mid", bytes, "%ldk\n", quit);
        folder = sounds.Folder();
        ASSERT_TRUE(Exists(folder));
    }
    EXPECT_FALSE(Exists(folder));
}

}  // namespace
}  // namespace orb
