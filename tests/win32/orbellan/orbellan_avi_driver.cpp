// Drives Orbellan.exe's clip import as a user would: the preview's frame, the
// facts the Import AVI Actor dialog shows, where the samples are taken and the
// size they are scaled to (read back from the saved project), and the messages
// for clips that cannot be read.
// Every test clip's field has blue 100 + its frame number, green 40, red 20, so a
// frame on screen or in a file tells where in the clip it was taken.
// Usage: orbellan_avi_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER
// INPUT_FOLDER holds one clip per folder: avi\clip.avi (10 frames, 64 x 48, 5 per
// second), hundred\c100.avi (100 frames, 64 x 48, 15 per second), ntsc\ntsc.avi
// (12 frames at 30000/1001 per second), deep\deep.avi (32 bits per pixel),
// sound\sound.avi (no video) and junk\junk.avi (not a clip at all).
// Exits with the number of failed checks.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/io/byte_reader.h"
#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

constexpr COLORREF FieldOf(int frame) { return RGB(20, 40, 100 + frame); }

// The first pixel of the preview box's picture, going down its middle from the
// top: the clip's field (the disc keeps to the middle half of the height).
COLORREF PreviewField(HWND child) {
    RECT area;
    GetWindowRect(GetDlgItem(child, IDC_PREVIEW_BOX), &area);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), grey = RGB(128, 128, 128);
    const int x = (area.left + area.right) / 2;
    for (int y = area.top; y < area.bottom; ++y) {
        COLORREF pixel = ScreenPixel(x, y);
        if (pixel != face && pixel != grey) return pixel;
    }
    return CLR_INVALID;
}

// Selects the only file of `folder` in the import dialog and waits for its preview.
HWND OpenAndPreview(HWND dialog, const std::string& folder, HWND& child, const char* size) {
    HWND box = OpenImportAt(dialog, folder, child);
    if (!box || !child) return box;
    SelectWithKey(box, VK_HOME);
    WaitFor([&] { return Text(child, IDC_IMPORT_SIZE).rfind(size, 0) == 0; }, 10);
    Sleep(300);
    return box;
}

void Cancel(HWND box) {
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDCANCEL)));
    Check(WaitGone(box, 20), "Cancel closes the import dialog");
}

// The preview shows the frame at min(length / 2, 8): 5 for 10 frames, 8 for 100.
void CheckPreviewFrames(HWND dialog, const std::string& input, const std::string& artefacts) {
    const struct {
        const char* folder;
        int frame;
    } clips[] = {{"avi", 5}, {"hundred", 8}};
    for (const auto& clip : clips) {
        HWND child = nullptr;
        HWND box = OpenAndPreview(dialog, input + "\\" + clip.folder, child, "64x48");
        if (!box || !child) continue;
        COLORREF field = PreviewField(child);
        Check(field == FieldOf(clip.frame), std::string("the preview of ") + clip.folder + " shows frame " +
                                                std::to_string(clip.frame) + " (field " + Hex(field) + ")");
        SaveScreenshot(box, artefacts + "\\avi_preview_" + clip.folder + ".bmp");
        Cancel(box);
    }
}

// Opens the clip of `folder` and waits for the Import AVI Actor dialog.
HWND OpenClip(HWND dialog, const std::string& folder, HWND& box) {
    HWND child = nullptr;
    box = OpenAndPreview(dialog, folder, child, "");
    if (!box) return nullptr;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    HWND avi = FindDialog("Import AVI Actor", 20);
    Check(avi != nullptr, "opening " + folder + " asks how to sample it");
    if (avi) Settle(avi);
    return avi;
}

// 100 frames at 15 per second: Frames min(100, 12) = 12, Width and Height
// min(64, 100) and min(48, 100), Duration 100 / 15 = 6 s. 12 frames at 30000/1001
// = 29.97 per second: Frame Rate 30, Duration 12 / 30 = 0 s.
void CheckClipFacts(HWND dialog, const std::string& input) {
    const struct {
        const char* folder;
        const char* frames;
        const char* length;
        const char* rate;
        const char* duration;
    } clips[] = {{"hundred", "12", "100", "15", "6s"}, {"ntsc", "12", "12", "30", "0s"}};
    for (const auto& clip : clips) {
        HWND box = nullptr;
        HWND avi = OpenClip(dialog, input + "\\" + clip.folder, box);
        if (!avi) continue;
        const std::pair<int, std::string> shown[] = {
            {IDC_AVI_FRAMES, clip.frames}, {IDC_AVI_WIDTH, "64"},     {IDC_AVI_HEIGHT, "48"},
            {IDC_AVI_LENGTH, clip.length}, {IDC_AVI_RATE, clip.rate}, {IDC_AVI_DURATION, clip.duration}};
        for (const auto& [id, text] : shown)
            Check(Text(avi, id) == text, std::string(clip.folder) + " shows " + text + " in field " +
                                             std::to_string(id) + " (got '" + Text(avi, id) + "')");
        Check(Text(avi, IDC_AVI_DIMENSIONS).rfind("64x48", 0) == 0, "the dimensions read 64x48");
        PostClick(avi, IDCANCEL);
        Check(WaitGone(avi, 20) && WaitGone(box, 20), "Cancel ends the clip's import");
    }
    Check(ActorCount(dialog) == 0, "a cancelled clip imports nothing");
}

// Turns Load as Actor off, so every sampled frame is an actor of its own, named
// by its position.
void LoadFramesApart(HWND box) {
    HWND child = TemplateChild(box, IDC_LOAD_AS_ACTOR);
    if (!child || IsDlgButtonChecked(child, IDC_LOAD_AS_ACTOR) != BST_CHECKED) return;
    HWND check = GetDlgItem(child, IDC_LOAD_AS_ACTOR);
    SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(child, WM_COMMAND, MAKEWPARAM(IDC_LOAD_AS_ACTOR, BN_CLICKED), reinterpret_cast<LPARAM>(check));
    Settle(child);
}

// Ten frames of 100 at 40 x 30: positions trunc(k x 99 / 10) = 0, 9, 19, ..., 89.
// Each frame is scaled to 40 x 30 and then, as every imported frame, centred on a
// white square of the diagonal size 2 x (floor(sqrt(floor((40^2 + 30^2) / 4))) + 1)
// = 2 x (25 + 1) = 52, at (52 - 40) / 2 = 6, (52 - 30) / 2 = 11.
void CheckSampling(HWND dialog, const std::string& input, const std::string& output) {
    HWND box = nullptr;
    HWND child = nullptr;
    box = OpenAndPreview(dialog, input + "\\hundred", child, "64x48");
    if (!box) return;
    LoadFramesApart(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    HWND avi = FindDialog("Import AVI Actor", 20);
    Check(avi != nullptr, "the hundred-frame clip asks how to sample it");
    if (!avi) return;
    Settle(avi);
    SetText(avi, IDC_AVI_FRAMES, "10");
    SetText(avi, IDC_AVI_WIDTH, "40");
    SetText(avi, IDC_AVI_HEIGHT, "30");
    PostClick(avi, IDOK);
    Check(WaitFor([&] { return ActorCount(dialog) == 10; }, 60), "ten sampled frames become ten actors (count " +
                                                                   std::to_string(ActorCount(dialog)) + ")");
    std::string saved = output + "\\sampled.apj";
    SaveThrough(dialog, saved, IDC_SAVE_PROJECT);
    WaitFor([&] { return FileExists(saved); }, 20);
    std::vector<char> raw = Contents(saved);
    std::vector<std::uint8_t> bytes(raw.begin(), raw.end());
    orb::ProjectFile project;
    if (orb::ParseProject(bytes, project) != orb::ProjectCheck::Ok || project.actors.size() != 10) {
        Check(false, "the sampled project saves with ten actors");
        return;
    }
    for (int k = 0; k < 10; ++k) {
        const int position = k * 99 / 10;
        orb::ByteReader reader(project.actors[k]);
        orb::FrameList frames;
        orb::NullReportSink quiet;
        orb::ActorReadResult actor = orb::ReadActor(reader, frames, orb::Program::Authoring, quiet);
        const std::string name = actor.name.substr(actor.name.find_last_of('\\') + 1);
        const std::string expected = "c100" + std::to_string(position) + ".bmp";
        Check(name == expected, "sample " + std::to_string(k) + " is " + expected + " (got " + name + ")");
        if (frames.empty()) continue;
        const orb::GXDrawingSurface& frame = *frames[0];
        Check(frame.Width() == 52 && frame.Height() == 52, "sample " + std::to_string(k) + " lies on a 52 x 52 square");
        // The picture's extent: the pixels that are not the white square.
        int left = frame.Width(), right = -1, top = frame.Height(), bottom = -1;
        COLORREF topLeft = CLR_INVALID;
        for (int y = 0; y < frame.Height(); ++y) {
            auto row = frame.Row(frame.Height() - 1 - y);
            for (int x = 0; x < frame.Width(); ++x) {
                if (row[3 * x] == 255 && row[3 * x + 1] == 255 && row[3 * x + 2] == 255) continue;
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
                if (x == 7 && y == 12) topLeft = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            }
        }
        Check(left == 6 && top == 11 && right - left + 1 == 40 && bottom - top + 1 == 30,
              "sample " + std::to_string(k) + " is scaled to 40 x 30 at (6, 11) (got " + std::to_string(right - left + 1) +
                  " x " + std::to_string(bottom - top + 1) + " at " + std::to_string(left) + ", " + std::to_string(top) +
                  ")");
        Check(topLeft == FieldOf(position), "sample " + std::to_string(k) + " shows frame " + std::to_string(position) +
                                                 " (field " + Hex(topLeft) + ")");
    }
}

// Clips that cannot be read: each says why, with the clip's path, and nothing is
// imported. A file that is no clip at all is refused by the system's reader with
// its file-read error, which is not one of the named open errors.
void CheckRefusedClips(HWND dialog, const std::string& input, const std::string& log) {
    Click(dialog, IDC_NEW);
    const struct {
        const char* folder;
        const char* file;
        const char* message;
    } clips[] = {{"deep", "deep.avi", "Orbellan does not support 32bit AVI frames"},
                 {"sound", "sound.avi", "Stream does not contain video data"},
                 {"junk", "junk.avi", "Error occurred while trying to open AVI file"}};
    for (const auto& clip : clips) {
        const std::string folder = input + "\\" + clip.folder;
        HWND child = nullptr;
        HWND box = OpenImportAt(dialog, folder, child);
        if (!box) continue;
        SelectWithKey(box, VK_HOME);
        // The AVI preview meets the same failure first; only the import's box counts.
        Sleep(500);
        std::size_t previewed = ReportLines(log);
        ConfirmFileDialog(box, clip.file);
        if (HWND avi = FindDialog("Import AVI Actor", 5)) {
            Settle(avi);
            PostClick(avi, IDOK);
            WaitGone(avi, 20);
        }
        Sleep(500);
        Settle(dialog);
        const std::string expected = "Error: " + std::string(clip.message) + " (" + folder + "\\" + clip.file + ")";
        std::vector<char> raw = Contents(log);
        std::string text(raw.begin(), raw.end());
        Check(text.find(expected) != std::string::npos && ReportLines(log) > previewed,
              std::string(clip.folder) + " is refused with '" + clip.message + "' (log: " + text.substr(0, 400) + ")");
        Check(ActorCount(dialog) == 0, std::string(clip.folder) + " imports nothing");
    }
}

}  // namespace

int main(int argc, char** argv) {
    DriverRun run;
    if (!StartDriverRun(argc, argv, "orbellan_avi", run)) return 100;
    CheckPreviewFrames(run.dialog, run.input, run.artefacts);
    CheckClipFacts(run.dialog, run.input);
    CheckSampling(run.dialog, run.input, run.output);
    Check(ReportLines(run.log) == 0, "readable clips report nothing (see " + run.log + ")");
    CheckRefusedClips(run.dialog, run.input, run.log);
    CloseOrbellan(run.started);
    return FinishDriver();
}
