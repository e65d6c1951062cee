#include "tests/win32/orbellan/driver_support.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/io/byte_reader.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb::driver {

int failures = 0;

void Check(bool condition, const std::string& what) {
    if (condition) return;
    ++failures;
    std::printf("FAILED: %s\n", what.c_str());
    std::fflush(stdout);
}

HWND FindDialog(const char* title, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (HWND window = FindWindowA("#32770", title)) return window;
        Sleep(100);
    }
    return nullptr;
}

void Settle(HWND dialog) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

std::string Text(HWND dialog, int id) {
    char text[256] = {};
    // GetWindowText does not ask controls of other processes; WM_GETTEXT does.
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Leave(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    Settle(dialog);
}

bool Pressed(HWND dialog, int id) { return GetPropA(GetDlgItem(dialog, id), "OrbPressed") != nullptr; }

int SliderPos(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0)); }

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(colour & 0xFFFFFF));
    return text;
}

void SaveScreenshot(HWND dialog, const std::string& path) {
    RECT area;
    GetWindowRect(dialog, &area);
    int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, imageBytes = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof header + imageBytes), 0, 0,
                          static_cast<DWORD>(sizeof file + sizeof header)};
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(bits, 1, imageBytes, out);
        std::fclose(out);
    } else {
        Check(false, "screenshot written to " + path);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}


void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HWND TemplateChild(HWND box, int id) {
    for (HWND child = FindWindowExA(box, nullptr, "#32770", nullptr); child;
         child = FindWindowExA(box, child, "#32770", nullptr))
        if (GetDlgItem(child, id)) return child;
    return nullptr;
}

bool WaitGone(HWND window, int seconds) {
    for (int i = 0; i < seconds * 10 && IsWindow(window); ++i) Sleep(100);
    return !IsWindow(window);
}

std::vector<char> Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t ReportLines(const std::string& log) {
    std::vector<char> text = Contents(log);
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

std::string ProfileText(const char* section, const char* key) {
    char text[256] = {};
    GetProfileStringA(section, key, "", text, sizeof text);
    return text;
}

int ActorCount(HWND dialog) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropA(dialog, "OrbActorCount")));
}

void TypeFileName(HWND box, const std::string& text) {
    HWND name = GetDlgItem(box, cmb13);
    if (!name) name = GetDlgItem(box, edt1);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {

struct ClassSearch {
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ClassSearch*>(data);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->name) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND ChildWithClass(HWND parent, const char* className) {
    ClassSearch search{className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void SelectWithKey(HWND box, int key) {
    HWND list = ChildWithClass(box, "SysListView32");
    Check(list != nullptr, "the file dialog shows a file list");
    if (!list) return;
    SendMessageA(list, WM_KEYDOWN, key, 0);
    SendMessageA(list, WM_KEYUP, key, 0xC0000000);
    Settle(box);
}

HWND OpenFileDialog(HWND dialog, int button, const char* title) {
    PostClick(dialog, button);
    HWND box = FindDialog(title, 20);
    Check(box != nullptr, std::string("a click opens ") + title);
    if (!box) return nullptr;
    // The dialog shows its first folder only after it has opened; going
    // elsewhere before that would be undone.
    Settle(box);
    Sleep(1000);
    Settle(box);
    return box;
}

void ConfirmFileDialog(HWND box, const std::string& path) {
    TypeFileName(box, path);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    Check(WaitGone(box, 20), "OK closes the file dialog for " + path);
}

int ListedFiles(HWND box) {
    HWND list = ChildWithClass(box, "SysListView32");
    return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

HWND OpenImportAt(HWND dialog, const std::string& folder, HWND& child, const char* typeLine) {
    HWND box = OpenFileDialog(dialog, IDC_ADD, "Import ScreenSaver Actors");
    if (!box) return nullptr;
    child = TemplateChild(box, IDC_PREVIEW_BOX);
    Check(child != nullptr, "the import dialog carries the preview box");
    HWND types = GetDlgItem(box, cmb1);
    // Found by its words: the list of file types grows.
    const LRESULT line = SendMessageA(types, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(typeLine));
    Check(line != CB_ERR, std::string("the import dialog offers ") + typeLine);
    SendMessageA(types, CB_SETCURSEL, line, 0);
    // What the combo box tells its dialog when a user picks an entry.
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    TypeFileName(box, folder);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    Settle(box);
    Sleep(300);
    return box;
}

void SetImportOptions(HWND child, bool loadAsActor, bool buildActor) {
    const std::pair<int, bool> options[] = {{IDC_LOAD_AS_ACTOR, loadAsActor}, {IDC_BUILD_ACTOR, buildActor}};
    for (const auto& [id, on] : options) {
        HWND check = GetDlgItem(child, id);
        if ((IsDlgButtonChecked(child, id) == BST_CHECKED) == on) continue;
        SendMessageA(check, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(child, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(check));
        Settle(child);
    }
}

void Import(HWND dialog, const std::string& folder, const std::string& names, bool loadAsActor, bool buildActor,
            int selectKey) {
    HWND child = nullptr;
    HWND box = OpenImportAt(dialog, folder, child);
    if (!box) return;
    SelectWithKey(box, selectKey);
    if (child) SetImportOptions(child, loadAsActor, buildActor);
    ConfirmFileDialog(box, names);
    Sleep(500);
    Settle(dialog);
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += "\"" + name + "\" ";
    return text;
}

bool LogHas(const std::string& log, const std::string& text) {
    std::vector<char> raw = Contents(log);
    return std::string(raw.begin(), raw.end()).find(text) != std::string::npos;
}

void SaveThrough(HWND dialog, const std::string& path, int button) {
    HWND box = OpenFileDialog(dialog, IDC_SAVE, "Save As");
    if (!box) return;
    HWND child = TemplateChild(box, IDC_BUILD);
    Check(child != nullptr, "the save dialog carries Save Project, Build and Install");
    if (!child) return;
    TypeFileName(box, path);
    PostMessageA(child, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(child, button)));
    Check(WaitGone(box, 20), "a save dialog button closes it");
    Sleep(300);
    Settle(dialog);
}

void LoadThrough(HWND dialog, const std::string& path) {
    if (HWND box = OpenFileDialog(dialog, IDC_LOAD, "Open")) ConfirmFileDialog(box, path);
}

namespace {

// Saves the project to `path` and reads its stored layout back.
bool SaveAndParse(HWND dialog, const std::string& path, orb::ProjectFile& project) {
    DeleteFileA(path.c_str());
    SaveThrough(dialog, path, IDC_SAVE_PROJECT);
    WaitFor([&] { return FileExists(path); }, 20);
    std::vector<char> raw = Contents(path);
    std::vector<std::uint8_t> bytes(raw.begin(), raw.end());
    return orb::ParseProject(bytes, project) == orb::ProjectCheck::Ok;
}

}  // namespace

std::vector<std::string> SavedActorNames(HWND dialog, const std::string& path) {
    orb::ProjectFile project;
    std::vector<std::string> names;
    if (!SaveAndParse(dialog, path, project)) return names;
    for (const std::vector<std::uint8_t>& record : project.actors) {
        orb::ByteReader reader(record);
        orb::FrameList frames;
        orb::NullReportSink quiet;
        orb::ActorReadResult actor = orb::ReadActor(reader, frames, orb::Program::Authoring, quiet);
        std::string name = actor.name;
        std::size_t slash = name.find_last_of('\\');
        names.push_back(slash == std::string::npos ? name : name.substr(slash + 1));
    }
    return names;
}

orb::FrameList SavedFrames(HWND dialog, const std::string& path, std::size_t index) {
    orb::ProjectFile project;
    orb::FrameList frames;
    if (!SaveAndParse(dialog, path, project) || project.actors.size() <= index) return frames;
    orb::ByteReader reader(project.actors[index]);
    orb::NullReportSink quiet;
    orb::ReadActor(reader, frames, orb::Program::Authoring, quiet);
    return frames;
}

COLORREF FramePixel(const orb::GXDrawingSurface& frame, int x, int y) {
    if (x < 0 || y < 0 || x >= frame.Width() || y >= frame.Height() || frame.Depth() != 24) return CLR_INVALID;
    auto row = frame.Row(frame.Height() - 1 - y);
    return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

POINT SlotPoint(HWND dialog, int slot, double fx, double fy) {
    HWND control = GetDlgItem(dialog, IDC_SLOT_FIRST + slot);
    RECT client;
    GetClientRect(control, &client);
    int side = std::min(client.right - 2, client.bottom - 2);
    POINT point{(client.right - side) / 2 - 1 + static_cast<int>(side * fx),
                (client.bottom - side) / 2 - 1 + static_cast<int>(side * fy)};
    ClientToScreen(control, &point);
    return point;
}

COLORREF SlotCentre(HWND dialog, int slot) {
    POINT p = SlotPoint(dialog, slot, 0.5, 0.5);
    return ScreenPixel(p.x, p.y);
}

void Repaint(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle(dialog);
    Sleep(200);
}

void ClickSlot(HWND dialog, int slot) {
    POINT p = SlotPoint(dialog, slot, 0.5, 0.5);
    ScreenToClient(dialog, &p);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Repaint(dialog);
}

void PlaySlot(HWND dialog, int slot) {
    POINT p = SlotPoint(dialog, slot, 0.5, 0.5);
    ScreenToClient(dialog, &p);
    SendMessageA(dialog, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    Sleep(1000);
    Settle(dialog);
}

bool StartOrbellan(const std::string& program, const std::string& reportLog, Started& started,
                   const std::string& arguments) {
    std::string folder = FolderOf(program);
    WriteProfileStringA("DefaultDirectories", nullptr, nullptr);
    WriteProfileStringA("DefaultColors", nullptr, nullptr);
    SetEnvironmentVariableA("ORB_REPORT_LOG", reportLog.c_str());
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started.process)) {
        std::printf("FAILED: cannot start %s\n", program.c_str());
        return false;
    }
    WaitForInputIdle(started.process.hProcess, 20000);
    started.dialog = FindDialog("Orbellan", 30);
    if (!started.dialog) {
        std::printf("FAILED: the main dialog did not appear\n");
        TerminateProcess(started.process.hProcess, 1);
        return false;
    }
    Sleep(500);
    Settle(started.dialog);
    return true;
}

bool CloseOrbellan(Started& started) {
    PostClick(started.dialog, IDCANCEL);
    bool ended = WaitForSingleObject(started.process.hProcess, 20000) == WAIT_OBJECT_0;
    Check(ended, "Close ends the program");
    if (!ended) TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return ended;
}

bool StartDriverRun(int argc, char** argv, const std::string& name, DriverRun& run) {
    if (argc != 5) {
        std::printf("usage: %s_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER\n", name.c_str());
        return false;
    }
    run.program = WindowsPath(argv[1]);
    run.input = WindowsPath(argv[2]);
    run.output = WindowsPath(argv[3]);
    run.artefacts = WindowsPath(argv[4]);
    run.log = run.artefacts + "\\" + name + "_reports.txt";
    DeleteFileA(run.log.c_str());
    if (!StartOrbellan(run.program, run.log, run.started)) return false;
    run.dialog = run.started.dialog;
    return true;
}

int FinishDriver() {
    std::printf("%d failures\n", failures);
    return failures;
}

}  // namespace orb::driver
