// Test helper: plays the Control Panel's part for the preview. Makes a window,
// starts "SAVER /p HWND" with it as the parent, lets the saver paint, saves the
// window's pixels as a 24-bit BMP, closes the window and reports what happened.
// Exit code 0 when the saver made its child window and ended with 0 once its
// parent went. (Wine does not show a child window's painting from another process
// in its parent, so the colours are reported, not required; the banner's drawing
// is covered in-process by the display back-end tests.)
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "win32/shared/dib_info.h"

namespace {

constexpr int kWidth = 152, kHeight = 112;

void Pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Reads the window's pixels bottom-up, 24 bits; writes them to path.
std::vector<unsigned char> SaveWindow(HWND window, const char* path) {
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader = orb::Dib24Header(kWidth, kHeight);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const int stride = (kWidth * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<const unsigned char*>(bits),
                                      static_cast<const unsigned char*>(bits) + stride * kHeight);
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    if (FILE* out = std::fopen(path, "wb")) {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
        info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels.size());
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: preview_host SAVER.scr OUT.bmp\n");
        return 2;
    }
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    hostClass.lpszClassName = "OrbPreviewHost";
    RegisterClassA(&hostClass);
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, WS_POPUP | WS_CLIPCHILDREN, FALSE);
    HWND host = CreateWindowExA(0, "OrbPreviewHost", "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                hostClass.hInstance, nullptr);
    Pump(300);
    std::string command = "\"" + std::string(argv[1]) + "\" /p " +
                          std::to_string(reinterpret_cast<UINT_PTR>(host));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &saver)) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        return 3;
    }
    Pump(3000);
    HWND child = FindWindowExA(host, nullptr, "WindowsScreenSaverClass", nullptr);
    if (child) RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(500);
    std::vector<unsigned char> pixels = SaveWindow(host, argv[2]);
    std::set<unsigned> colours;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3)
        colours.insert(pixels[i] | pixels[i + 1] << 8 | pixels[i + 2] << 16);
    DestroyWindow(host);
    DWORD exitCode = 999;
    if (WaitForSingleObject(saver.hProcess, 5000) == WAIT_OBJECT_0) GetExitCodeProcess(saver.hProcess, &exitCode);
    else TerminateProcess(saver.hProcess, 999);
    std::printf("child=%d colours=%u exit=%lu\n", child ? 1 : 0, static_cast<unsigned>(colours.size()), exitCode);
    CloseHandle(saver.hProcess);
    CloseHandle(saver.hThread);
    return child && exitCode == 0 ? 0 : 1;
}
