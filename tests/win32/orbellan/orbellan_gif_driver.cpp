// Drives Orbellan.exe's import dialog to GIF pictures made by ImageMagick, as a
// user would: the GIF line of the file types, the preview playing the animation,
// the animated actor in the list and in the saved project, a still GIF, a GIF of
// more frames than one actor takes, and every frame apart with Load as Actor off.
// Usage: orbellan_gif_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER
// INPUT_FOLDER holds, each in a folder of its own:
//   gif\anim\anim.gif  40 x 30, three frames, each cleared before the next:
//                      0: red ff0000, a white square at x 30 to 33, y 20 to 23;
//                      1: transparent, a green 00a000 rectangle at x 10 to 29, y 5 to 24;
//                      2: blue 0000ff;
//                      beside it gif\anim\a.bmp, which the GIF line must not list;
//   gif\still\still.gif  32 x 24, field c08020, a 204080 square at x 8 to 23, y 6 to
//                      17, a white square at x 28 to 29, y 2 to 3;
//   gif\many\many.gif  1001 frames of 4 x 4 red.
// Exits with the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

constexpr char kGifLine[] = "GIF - Graphics Interchange Format, still or animated (*.gif)";
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kField = RGB(0xc0, 0x80, 0x20), kSquare = RGB(0x20, 0x40, 0x80);

// A saved frame's expected pixel: (x, y) on the frame's square canvas.
struct Pixel {
    std::size_t frame;
    int x, y;
    COLORREF colour;
    const char* what;
};

void CheckPixels(const orb::FrameList& frames, const Pixel* begin, const Pixel* end, const std::string& actor) {
    for (const Pixel* p = begin; p != end; ++p) {
        const COLORREF got = p->frame < frames.size() ? FramePixel(*frames[p->frame], p->x, p->y) : CLR_INVALID;
        Check(got == p->colour, actor + " frame " + std::to_string(p->frame) + ": " + p->what + " (at " +
                                    std::to_string(p->x) + "," + std::to_string(p->y) + " got " + Hex(got) +
                                    ", want " + Hex(p->colour) + ")");
    }
}

std::string KeyText(const orb::ColourKey& key) {
    return std::to_string(key.red) + "," + std::to_string(key.green) + "," + std::to_string(key.blue) +
           " tolerance " + std::to_string(key.tolerance);
}

// The colours the preview box shows at its middle and at the picture's left edge
// on the middle row, watched while it plays (the box's own grey and face, shown
// for a moment before each frame is drawn, left out).
struct PreviewColours {
    std::set<COLORREF> middle, edge;
};

PreviewColours WatchPreview(HWND child, const std::set<COLORREF>& middle, const std::set<COLORREF>& edge) {
    RECT area;
    GetWindowRect(GetDlgItem(child, IDC_PREVIEW_BOX), &area);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), grey = RGB(128, 128, 128);
    auto shown = [&](int x, int y, COLORREF& pixel) { return (pixel = ScreenPixel(x, y)) != face && pixel != grey; };
    const int x = (area.left + area.right) / 2, y = (area.top + area.bottom) / 2;
    int left = -1;  // the picture's first column, which every frame covers
    PreviewColours seen;
    WaitFor(
        [&] {
            COLORREF pixel;
            for (int i = area.left; i < x && left < 0; ++i)
                if (shown(i, y, pixel)) left = i;
            if (left < 0) return false;
            if (shown(x, y, pixel)) seen.middle.insert(pixel);
            if (shown(left + 1, y, pixel)) seen.edge.insert(pixel);
            return seen.middle == middle && seen.edge == edge;
        },
        5);
    return seen;
}

std::string Listed(const std::set<COLORREF>& colours) {
    std::string text;
    for (COLORREF c : colours) text += Hex(c) + " ";
    return text;
}

// Opens Add at `folder` on the GIF line, selects its first file and waits for its
// preview lines to name it.
HWND OpenGifFolder(HWND dialog, const std::string& folder, const std::string& name, HWND& child) {
    HWND box = OpenImportAt(dialog, folder, child, kGifLine);
    if (!box || !child) return box;
    SelectWithKey(box, VK_HOME);
    WaitFor([&] { return Text(child, IDC_IMPORT_NAME) == name; }, 10);
    return box;
}

void OpenSelected(HWND box, HWND child, HWND dialog, const std::string& name, bool loadAsActor) {
    SetImportOptions(child, loadAsActor, false);
    ConfirmFileDialog(box, name);
    Sleep(500);
    Settle(dialog);
}

// The animation: listed alone on the GIF line, played by the preview, imported as
// one actor of three frames. Its frame 1 has transparent pixels, so the actor is
// keyed by opacity: key white, tolerance 1; transparent pixels white; the opaque
// white square of frame 0 has its blue stepped to 253, just out of the key. Every
// frame lies on a square canvas of side 2 x (floor(sqrt((40^2 + 30^2) / 4)) + 1)
// = 2 x (25 + 1) = 52, the picture at ((52 - 40) / 2, (52 - 30) / 2) = (6, 11):
// picture (20, 15) is canvas (26, 26), picture (2, 2) canvas (8, 13), picture
// (31, 21) canvas (37, 32).
void CheckAnimatedGif(HWND dialog, const std::string& input, const std::string& output,
                      const std::string& artefacts) {
    HWND child = nullptr;
    HWND box = OpenGifFolder(dialog, input + "\\anim", "anim.gif", child);
    if (!box || !child) return;
    Check(ListedFiles(box) == 1, "the GIF line lists anim.gif and not a.bmp beside it (" +
                                     std::to_string(ListedFiles(box)) + " listed)");
    Check(Text(child, IDC_IMPORT_NAME) == "anim.gif", "the preview names anim.gif (got '" +
                                                          Text(child, IDC_IMPORT_NAME) + "')");
    Check(Text(child, IDC_IMPORT_SIZE).rfind("40x30", 0) == 0, "the preview gives the size 40x30 (got '" +
                                                                   Text(child, IDC_IMPORT_SIZE) + "')");
    // Shown over white: frame 1's transparent margin is white on screen.
    const std::set<COLORREF> middle{kRed, kGreen, kBlue}, edge{kRed, kWhite, kBlue};
    PreviewColours seen = WatchPreview(child, middle, edge);
    Check(seen.middle == middle, "the preview plays the three frames: red, green, blue at the middle (saw " +
                                     Listed(seen.middle) + ")");
    Check(seen.edge == edge, "the preview shows frame 1's transparent margin over white (saw " + Listed(seen.edge) + ")");
    SaveScreenshot(box, artefacts + "\\gif_preview.bmp");
    OpenSelected(box, child, dialog, "anim.gif", true);
    Check(WaitFor([&] { return ActorCount(dialog) == 1; }, 20), "the animated GIF becomes one actor (count " +
                                                                    std::to_string(ActorCount(dialog)) + ")");
    Repaint(dialog);
    Check(SlotCentre(dialog, 0) == kRed, "the list shows the actor's first frame, red (got " +
                                             Hex(SlotCentre(dialog, 0)) + ")");
    ClickSlot(dialog, 0);
    PlaySlot(dialog, 0);
    Check(SlotCentre(dialog, 0) == kBlue, "played once, the slot keeps the last frame, blue (got " +
                                              Hex(SlotCentre(dialog, 0)) + ")");
    SaveScreenshot(dialog, artefacts + "\\gif_actor_list.bmp");

    orb::FrameList frames = SavedFrames(dialog, output + "\\gif.apj", 0);
    Check(frames.size() == 3, "the saved actor has the GIF's three frames (got " + std::to_string(frames.size()) + ")");
    for (const auto& frame : frames) {
        Check(frame->Width() == 52 && frame->Height() == 52, "every frame lies on a 52 x 52 canvas (got " +
                                                                 std::to_string(frame->Width()) + " x " +
                                                                 std::to_string(frame->Height()) + ")");
        Check(frame->key == orb::ColourKey{255, 255, 255, 1}, "the actor is keyed white, tolerance 1 (got " +
                                                                  KeyText(frame->key) + ")");
    }
    const Pixel expected[] = {
        {0, 26, 26, kRed, "the red field"},
        {0, 8, 13, kRed, "the red field at the margin"},
        {0, 37, 32, RGB(255, 255, 253), "the opaque white square, blue stepped out of the key"},
        {1, 26, 26, kGreen, "the green rectangle"},
        {1, 8, 13, kWhite, "the transparent margin, keyed"},
        {2, 26, 26, kBlue, "the blue field"},
        {2, 8, 13, kBlue, "the blue field at the margin, nothing of frame 1 left"},
        {2, 0, 0, kWhite, "the canvas around the picture"},
    };
    CheckPixels(frames, std::begin(expected), std::end(expected), "anim.gif");
}

// A still GIF keeps the rule of pictures without transparency: the key is its
// first pixel, c08020, tolerance 10, and near-white pixels become 247 grey. The
// 32 x 24 picture lies on a canvas of side 2 x (floor(sqrt((32^2 + 24^2) / 4)) + 1)
// = 2 x (20 + 1) = 42 at (5, 9): picture (16, 12) is canvas (21, 21), picture
// (2, 20) canvas (7, 29), picture (28, 2) canvas (33, 11).
void CheckStillGif(HWND dialog, const std::string& input, const std::string& output) {
    HWND child = nullptr;
    HWND box = OpenGifFolder(dialog, input + "\\still", "still.gif", child);
    if (!box || !child) return;
    Check(Text(child, IDC_IMPORT_SIZE).rfind("32x24", 0) == 0, "the preview gives the size 32x24 (got '" +
                                                                   Text(child, IDC_IMPORT_SIZE) + "')");
    const std::set<COLORREF> middle{kSquare}, edge{kField};
    PreviewColours seen = WatchPreview(child, middle, edge);
    Check(seen.middle == middle && seen.edge == edge,
          "the preview shows the still picture (saw " + Listed(seen.middle) + "/ " + Listed(seen.edge) + ")");
    OpenSelected(box, child, dialog, "still.gif", true);
    Check(WaitFor([&] { return ActorCount(dialog) == 2; }, 20), "the still GIF becomes a second actor");
    orb::FrameList frames = SavedFrames(dialog, output + "\\gif.apj", 1);
    Check(frames.size() == 1, "the still GIF's actor has one frame (got " + std::to_string(frames.size()) + ")");
    if (frames.empty()) return;
    Check(frames[0]->Width() == 42, "the still frame lies on a 42 x 42 canvas (got " +
                                        std::to_string(frames[0]->Width()) + ")");
    Check(frames[0]->key == orb::ColourKey{0x20, 0x80, 0xc0, 10}, "the still actor is keyed by its first pixel c08020, "
                                                                  "tolerance 10 (got " + KeyText(frames[0]->key) + ")");
    const Pixel expected[] = {
        {0, 21, 21, kSquare, "the square"},
        {0, 7, 29, kField, "the field"},
        {0, 33, 11, RGB(247, 247, 247), "the white square, grey 247 as near-white pixels become"},
    };
    CheckPixels(frames, std::begin(expected), std::end(expected), "still.gif");
}

// One frame more than an actor takes from a file: refused with the reason, and
// nothing imported.
void CheckTooManyFrames(HWND dialog, const std::string& input, const std::string& log) {
    HWND child = nullptr;
    const std::string folder = input + "\\many";
    HWND box = OpenImportAt(dialog, folder, child, kGifLine);
    if (!box || !child) return;
    SelectWithKey(box, VK_HOME);
    OpenSelected(box, child, dialog, "many.gif", true);
    Check(LogHas(log, "Error: Unable to read image file: an animation of more than 1000 frames, the most one actor "
                      "takes from a file (code 304) (" + folder + "\\many.gif)"),
          "a GIF of 1001 frames is refused with the reason");
    Check(ActorCount(dialog) == 2, "the refused GIF adds no actor (count " + std::to_string(ActorCount(dialog)) + ")");
}

// With Load as Actor off every frame is an actor of its own, as for clips and
// actor files; the first goes by the file's name, the others by it and their number.
void CheckFramesApart(HWND dialog, const std::string& input, const std::string& output) {
    Click(dialog, IDC_NEW);
    HWND child = nullptr;
    HWND box = OpenGifFolder(dialog, input + "\\anim", "anim.gif", child);
    if (!box || !child) return;
    OpenSelected(box, child, dialog, "anim.gif", false);
    Check(WaitFor([&] { return ActorCount(dialog) == 3; }, 20), "Load as Actor off gives one actor a frame (count " +
                                                                    std::to_string(ActorCount(dialog)) + ")");
    std::string names;
    for (const std::string& name : SavedActorNames(dialog, output + "\\apart.apj")) names += name + " ";
    Check(names == "anim.gif anim.gif#2 anim.gif#3 ", "the frames' actors are named apart (got " + names + ")");
}

}  // namespace

int main(int argc, char** argv) {
    DriverRun run;
    if (!StartDriverRun(argc, argv, "orbellan_gif", run)) return 100;
    const std::string input = run.input + "\\gif";
    CheckAnimatedGif(run.dialog, input, run.output, run.artefacts);
    CheckStillGif(run.dialog, input, run.output);
    CheckTooManyFrames(run.dialog, input, run.log);
    CheckFramesApart(run.dialog, input, run.output);
    CloseOrbellan(run.started);
    return FinishDriver();
}
