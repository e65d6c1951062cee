// Drives Orbellan.exe's actor work as a user would: the import dialog's paths
// (mixed types, a duplicate, more than 100 actors, Build Actor and its fallback),
// the actor list (selection, lit keyed pixels, Up/Down/Remove, scrolling, the
// double-click animation), the Modify Actor dialog (angle and tolerance
// limits, colour picking, flips, OK and Cancel) and the import's progress box.
// What lands on screen and in the saved project is checked.
// Usage: orbellan_actor_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER
// Exits with the number of failed checks.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_writer.h"
#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

// Every list picture: 24 x 16 of the key colour (its first pixel) around an 8 x 8
// square of the actor's own colour (x 8 to 15, y 4 to 11). The frames of the
// animated actor also carry a marker at x 0 to 3, y 2 to 5 from the top, so
// their flips can be seen. Colours as 0x00BBGGRR.
constexpr COLORREF kKey = RGB(40, 80, 160);
constexpr COLORREF kLit = 0xF0F0F0;
constexpr COLORREF kMarker = RGB(230, 200, 20);
COLORREF ActorColour(int i) { return RGB(200 - 20 * i, 30 + 25 * i, 90); }

void WriteBmp(const std::string& path, COLORREF centre, bool marked = false) {
    orb::GXDrawingSurface picture;
    picture.Create(24, 24, 16);
    for (int row = 0; row < 16; ++row) {
        auto pixels = picture.Row(row);
        const int y = 15 - row;  // rows are stored bottom-up
        for (int x = 0; x < 24; ++x) {
            COLORREF c = x >= 8 && x < 16 && y >= 4 && y < 12 ? centre
                         : marked && x < 4 && y >= 2 && y < 6 ? kMarker
                                                              : kKey;
            pixels[x * 3] = GetBValue(c);
            pixels[x * 3 + 1] = GetGValue(c);
            pixels[x * 3 + 2] = GetRValue(c);
        }
    }
    orb::ByteWriter writer;
    orb::SaveBmp(picture, writer);
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(writer.bytes.data(), 1, writer.bytes.size(), out);
        std::fclose(out);
    }
}

// An actor file whose `frames` frames are each an actor once imported apart.
void WriteActorFile(const std::string& path, int frames) {
    orb::FrameList list;
    for (int i = 0; i < frames; ++i) {
        auto frame = std::make_unique<orb::GXDrawingSurface>();
        frame->Create(24, 4, 4);
        frame->Fill(10, 20, std::uint8_t(i));
        frame->name = path + " frame " + std::to_string(i);
        frame->frameIndex = i;
        frame->frameCount = frames;
        list.push_back(std::move(frame));
    }
    for (int i = 0; i < frames; ++i) {
        list[i]->firstFrame = list[0].get();
        list[i]->nextFrame = i + 1 < frames ? list[i + 1].get() : nullptr;
    }
    orb::NullReportSink quiet;
    orb::SaveActor(path, *list[0], quiet);
}

// The key colour at 0.2 across (the 24 x 16 picture lies on a 30 x 30 canvas: x 3
// to 26, its centre square 11 to 18).
COLORREF SlotKeyArea(HWND dialog, int slot) {
    POINT p = SlotPoint(dialog, slot, 0.2, 0.5);
    return ScreenPixel(p.x, p.y);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + " ";
    return text;
}

void CheckImportPaths(HWND dialog, const std::string& list, const std::string& log) {
    // A bitmap chosen with a PNG: nothing imported.
    Import(dialog, list, Quoted({"a0.bmp", "mixed.png"}), false, false);
    Check(LogHas(log, "Info: Mixed file type selections are not allowed"), "a bitmap with a PNG shows the mixed-types box");
    Check(ActorCount(dialog) == 0, "the mixed selection imports nothing");
    // Seven bitmaps imported apart: seven actors.
    Import(dialog, list, Quoted({"a0.bmp", "a1.bmp", "a2.bmp", "a3.bmp", "a4.bmp", "a5.bmp", "a6.bmp"}), false, false);
    Check(WaitFor([&] { return ActorCount(dialog) == 7; }, 20), "seven bitmaps become seven actors (count " +
                                                                 std::to_string(ActorCount(dialog)) + ")");
    // A file already in the list stops the import there.
    Import(dialog, list, Quoted({"a2.bmp"}), false, false);
    Check(ActorCount(dialog) == 7, "a file already in the list is not imported again");
    Check(LogHas(log, "Information: This object has already been loaded (" + list + "\\a2.bmp)"),
          "the duplicate is named in an information box");
}

// With 7 actors the scroll step is 255 / 7 = 36 (integer part); one line down
// gives position 36 and first visible round(36 x 7 / 255) = round(0.99) = 1.
void CheckListView(HWND dialog, const std::string& artefacts) {
    Repaint(dialog);
    for (int slot = 0; slot < 5; ++slot)
        Check(SlotCentre(dialog, slot) == ActorColour(slot), "slot " + std::to_string(slot) + " shows actor " +
                                                                 std::to_string(slot) + " (got " +
                                                                 Hex(SlotCentre(dialog, slot)) + ")");
    ClickSlot(dialog, 1);
    SaveScreenshot(dialog, artefacts + "\\actor_list_selected.bmp");
    Check(SlotKeyArea(dialog, 1) == kLit, "the selected slot lights its keyed pixels (got " +
                                              Hex(SlotKeyArea(dialog, 1)) + ")");
    Check(SlotKeyArea(dialog, 0) == kKey, "an unselected slot shows its keyed pixels as they are (got " +
                                              Hex(SlotKeyArea(dialog, 0)) + ")");
    Check(SlotCentre(dialog, 1) == ActorColour(1), "the selected actor's own colour stays");

    HWND scroll = GetDlgItem(dialog, IDC_ACTOR_SCROLL);
    SendMessageA(dialog, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(scroll));
    Repaint(dialog);
    Check(GetScrollPos(scroll, SB_CTL) == 36, "one line down with 7 actors moves the bar to 36 (got " +
                                                  std::to_string(GetScrollPos(scroll, SB_CTL)) + ")");
    Check(SlotCentre(dialog, 0) == ActorColour(1), "one line down shows actor 1 in the first slot");
    SaveScreenshot(dialog, artefacts + "\\actor_list_scrolled.bmp");
    SendMessageA(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(scroll));
    Repaint(dialog);
    Check(GetScrollPos(scroll, SB_CTL) == 0 && SlotCentre(dialog, 0) == ActorColour(0), "one line up goes back");
}

void CheckOrdering(HWND dialog, const std::string& output) {
    std::string saved = output + "\\order.apj";
    ClickSlot(dialog, 0);
    Click(dialog, IDC_UP_ACTOR);
    Check(Joined(SavedActorNames(dialog, saved)) == "a0.bmp a1.bmp a2.bmp a3.bmp a4.bmp a5.bmp a6.bmp ",
          "Up on the first actor does nothing");
    Click(dialog, IDC_DOWN_ACTOR);
    Check(Joined(SavedActorNames(dialog, saved)) == "a1.bmp a0.bmp a2.bmp a3.bmp a4.bmp a5.bmp a6.bmp ",
          "Down swaps the first two actors");
    // a0, now second and still selected, goes; a1 before it becomes the selection.
    Click(dialog, IDC_REMOVE);
    Click(dialog, IDC_REMOVE);
    std::vector<std::string> left = SavedActorNames(dialog, saved);
    Check(Joined(left) == "a2.bmp a3.bmp a4.bmp a5.bmp a6.bmp ",
          "Remove takes the selected actor and then the one before it (got " + Joined(left) + ")");
    // The first removed left nothing selected: Remove does nothing now.
    Click(dialog, IDC_REMOVE);
    Check(ActorCount(dialog) == 5, "Remove with nothing selected does nothing");
}

// Three pictures loaded as one actor play once on a double click: the slot keeps
// the last frame's colour.
void CheckAnimation(HWND dialog, const std::string& list) {
    Import(dialog, list, Quoted({"f0.bmp", "f1.bmp", "f2.bmp"}), true, false);
    Check(WaitFor([&] { return ActorCount(dialog) == 6; }, 20), "three pictures loaded as an actor make one actor");
    HWND scroll = GetDlgItem(dialog, IDC_ACTOR_SCROLL);
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 255), reinterpret_cast<LPARAM>(scroll));
    Repaint(dialog);
    // Six actors, thumb at 255: first visible round(255 x 6 / 255) = 6, clamped to 6 - 5 = 1.
    Check(SlotCentre(dialog, 4) == ActorColour(7), "the last slot shows the new actor's first frame");
    ClickSlot(dialog, 4);
    PlaySlot(dialog, 4);
    Check(SlotCentre(dialog, 4) == ActorColour(9), "after the double click the slot keeps the last frame (got " +
                                                       Hex(SlotCentre(dialog, 4)) + ")");
}

// The 24 x 16 pictures lie on 30 x 30 squares at (3, 7). The marker (picture x 0
// to 3, y 2 to 5) starts at square x 3 to 6, y 9 to 12; mirrored left to right it
// is at x 23 to 26, top to bottom at y 17 to 20. Checks that every frame shows it
// at (x, y) and the key colour at the mirror place across the picture's middle
// (30 - 1 - x).
void CheckMarker(const orb::FrameList& frames, int x, int y, const std::string& what) {
    Check(!frames.empty(), what + ": the project saves");
    for (const auto& frame : frames) {
        COLORREF marker = FramePixel(*frame, x, y), across = FramePixel(*frame, 29 - x, y);
        Check(marker == kMarker && across == kKey, what + " (at " + std::to_string(x) + "," + std::to_string(y) +
                                                        ": " + Hex(marker) + ", across: " + Hex(across) + ")");
    }
}

// The Modify Actor dialog on the selected actor (the animated one).
void CheckModifyActor(HWND dialog, const std::string& output, const std::string& artefacts) {
    std::string saved = output + "\\modify.apj";
    CheckMarker(SavedFrames(dialog, saved, 5), 4, 10, "the animated actor's frames show the marker on the left");
    std::vector<char> before = Contents(saved);
    auto open = [&]() -> HWND {
        POINT p = SlotPoint(dialog, 4, 0.5, 0.5);
        ScreenToClient(dialog, &p);
        PostMessageA(dialog, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
        HWND modify = FindDialog("Modify Actor", 20);
        Check(modify != nullptr, "a right click opens Modify Actor");
        if (modify) Settle(modify);
        return modify;
    };
    HWND modify = open();
    if (!modify) return;
    SetText(modify, IDC_ANGLE, "500");
    SendMessageA(modify, WM_COMMAND, MAKEWPARAM(IDC_ANGLE, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(modify, IDC_ANGLE)));
    Settle(modify);
    Check(Text(modify, IDC_ANGLE) == "360", "500 typed as the angle becomes 360 (got " + Text(modify, IDC_ANGLE) + ")");
    HWND tolerance = GetDlgItem(modify, IDC_TOLERANCE);
    Check(GetScrollPos(tolerance, SB_CTL) == 10, "the tolerance bar starts at the actor's 10");
    auto scroll = [&](int code, int position) {
        SendMessageA(modify, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(tolerance));
        Settle(modify);
        return GetScrollPos(tolerance, SB_CTL);
    };
    struct Step {
        int code, position, expected;
    } steps[] = {{SB_THUMBTRACK, 256, 256}, {SB_LINERIGHT, 0, 256}, {SB_THUMBTRACK, 254, 254},
                 {SB_LINERIGHT, 0, 255},   {SB_LINERIGHT, 0, 255}, {SB_THUMBTRACK, 0, 0},
                 {SB_LINELEFT, 0, 0},      {SB_THUMBTRACK, 1, 1},  {SB_LINELEFT, 0, 0}};
    for (const Step& s : steps)
        Check(scroll(s.code, s.position) == s.expected, "tolerance step to " + std::to_string(s.expected));
    SaveScreenshot(modify, artefacts + "\\modify_actor.bmp");
    PostClick(modify, IDCANCEL);
    Check(WaitGone(modify, 20), "Cancel closes Modify Actor");
    Settle(dialog);
    Check(SavedActorNames(dialog, saved).size() == 6 && Contents(saved) == before, "Cancel leaves the actor as it was");

    // A click on the preview picks the colour under the pointer as the key of
    // every frame, with the chosen tolerance; a flip goes through OK with them.
    modify = open();
    if (!modify) return;
    tolerance = GetDlgItem(modify, IDC_TOLERANCE);
    scroll(SB_THUMBTRACK, 30);
    HWND preview = GetDlgItem(modify, IDC_MODIFY_PREVIEW);
    RECT area;
    GetWindowRect(preview, &area);
    POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    const COLORREF picked = ActorColour(7);  // the middle of the first frame, scaled to the preview
    ScreenToClient(modify, &centre);
    SendMessageA(modify, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    SendMessageA(modify, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    SendMessageA(modify, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    Click(modify, IDC_FLIP_HORIZONTAL);
    PostClick(modify, IDOK);
    Check(WaitGone(modify, 20), "OK closes Modify Actor");
    Settle(dialog);
    orb::FrameList frames = SavedFrames(dialog, saved, 5);
    Check(frames.size() == 3, "the modified actor keeps its three frames");
    const orb::ColourKey expected{GetBValue(picked), GetGValue(picked), GetRValue(picked), 30};
    for (const auto& frame : frames)
        Check(frame->key == expected, "every frame takes the picked key " + Hex(picked) + " and tolerance 30 (got " +
                                          std::to_string(frame->key.red) + "," + std::to_string(frame->key.green) +
                                          "," + std::to_string(frame->key.blue) + " tolerance " +
                                          std::to_string(frame->key.tolerance) + ")");
    CheckMarker(frames, 24, 10, "Flip Horizontally mirrors every frame left to right");

    // Flip Vertically once and Flip Horizontally twice: only the vertical flip.
    modify = open();
    if (!modify) return;
    for (int id : {IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL, IDC_FLIP_HORIZONTAL}) Click(modify, id);
    SaveScreenshot(modify, artefacts + "\\modify_actor_flipped.bmp");
    PostClick(modify, IDOK);
    Check(WaitGone(modify, 20), "OK closes Modify Actor again");
    Settle(dialog);
    CheckMarker(SavedFrames(dialog, saved, 5), 24, 18,
                "Flip Vertically mirrors every frame top to bottom; two horizontal flips cancel");
}

// More than 100 actors: an actor file of 96 frames imported apart gives 6 + 96 =
// 102; the two after the 100th are dropped with the information box.
void CheckOverAHundred(HWND dialog, const std::string& list, const std::string& log) {
    WriteActorFile(list + "\\many.act", 96);
    Import(dialog, list, Quoted({"many.act"}), false, false);
    Check(WaitFor([&] { return ActorCount(dialog) == 100; }, 30), "the list stops at 100 actors (count " +
                                                                    std::to_string(ActorCount(dialog)) + ")");
    Check(LogHas(log, "Information: You have tried import more than 100 actors; Orbellan will ignore extra actors"),
          "going over 100 actors shows the information box");
}

// Build Actor writes NAME.ACT beside the picture; where that cannot be made (a
// folder of that name stands there) it asks where to save.
void CheckBuildActor(HWND dialog, const std::string& folder) {
    Click(dialog, IDC_NEW);
    Import(dialog, folder, Quoted({"cat.bmp"}), true, true);
    Check(WaitFor([&] { return FileExists(folder + "\\cat.ACT"); }, 20), "Build Actor writes cat.ACT beside cat.bmp");
    CreateDirectoryA((folder + "\\dog.ACT").c_str(), nullptr);
    // Folders are listed first: End selects dog.bmp, the last file.
    Import(dialog, folder, Quoted({"dog.bmp"}), true, true, VK_END);
    HWND save = FindDialog("Save As", 20);
    Check(save != nullptr, "Build Actor asks where to save when dog.ACT cannot be made");
    if (!save) return;
    Settle(save);
    Sleep(500);
    ConfirmFileDialog(save, folder + "\\elsewhere.act");
    Check(WaitFor([&] { return FileExists(folder + "\\elsewhere.act"); }, 20), "the actor is written where chosen");
}

// The progress box steps once per file with that file's path. An information
// box (shown for real: no report log) holds the import at the third of four
// files, a duplicate, while the progress box is read: a0.bmp at step 3 of 4.
void CheckProgressSteps(const std::string& program, const std::string& list) {
    Started started;
    if (!StartOrbellan(program, "", started)) {
        Check(false, "Orbellan starts again without a report log");
        return;
    }
    HWND dialog = started.dialog;
    Import(dialog, list, Quoted({"a0.bmp", "a1.bmp"}), false, false);
    Check(WaitFor([&] { return ActorCount(dialog) == 2; }, 20), "two bitmaps become two actors");
    Import(dialog, list, Quoted({"a2.bmp", "a3.bmp", "a0.bmp", "a4.bmp"}), false, false);
    HWND box = FindDialog("Information", 20);
    HWND progress = FindWindowA("#32770", "Processing");
    Check(box != nullptr && progress != nullptr, "the duplicate's box shows over the progress box");
    if (progress) {
        const std::string shown = Text(progress, IDC_PROGRESS_FILE);
        const int position = static_cast<int>(SendDlgItemMessageA(progress, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
        const int total = static_cast<int>(SendDlgItemMessageA(progress, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
        Check(shown == list + "\\a0.bmp" && position == 3 && total == 4,
              "the progress box shows a0.bmp at step 3 of 4 (got '" + shown + "' at " + std::to_string(position) +
                  " of " + std::to_string(total) + ")");
    }
    if (box) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Check(WaitGone(box, 20), "OK closes the information box");
    }
    Check(WaitFor([&] { return progress && !IsWindow(progress); }, 20), "the progress box closes with the import");
    Check(WaitFor([&] { return ActorCount(dialog) == 4; }, 20),
          "the files before the duplicate stay imported, the one after it is not (count " +
              std::to_string(ActorCount(dialog)) + ")");
    CloseOrbellan(started);
}

}  // namespace

int main(int argc, char** argv) {
    DriverRun run;
    if (!StartDriverRun(argc, argv, "orbellan_actor", run)) return 100;
    // The program lists folders only when a file dialog opens, so the pictures
    // may be written after it has started.
    std::string list = run.output + "\\list", build = run.output + "\\build";
    CreateDirectoryA(list.c_str(), nullptr);
    CreateDirectoryA(build.c_str(), nullptr);
    for (int i = 0; i < 7; ++i) WriteBmp(list + "\\a" + std::to_string(i) + ".bmp", ActorColour(i));
    for (int i = 0; i < 3; ++i) WriteBmp(list + "\\f" + std::to_string(i) + ".bmp", ActorColour(7 + i), true);
    WriteBmp(list + "\\mixed.png", kKey);  // only its extension matters here
    WriteBmp(build + "\\cat.bmp", ActorColour(1));
    WriteBmp(build + "\\dog.bmp", ActorColour(2));
    HWND dialog = run.dialog;
    CheckImportPaths(dialog, list, run.log);
    CheckListView(dialog, run.artefacts);
    CheckOrdering(dialog, run.output);
    CheckAnimation(dialog, list);
    CheckModifyActor(dialog, run.output, run.artefacts);
    CheckOverAHundred(dialog, list, run.log);
    CheckBuildActor(dialog, build);
    CloseOrbellan(run.started);
    CheckProgressSteps(run.program, list);
    return FinishDriver();
}
