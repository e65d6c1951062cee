// The Windows display back-ends on a real window: pictures drawn into surfaces,
// plain and white-keyed copies, what reaches the screen, colour matching, lost
// surfaces brought back, and failures to give the display back.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/display_device.h"
#include "viewer/win32/ddraw_display.h"
#include "viewer/win32/gdi_display.h"

namespace orb {
namespace {

class RecordQuit final : public QuitSink {
public:
    void QuitWithCode(int code) override { last = code; }
    int last = -1;
};

struct TestWindow {
    TestWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrbDisplayTest";
        RegisterClassA(&windowClass);
        handle = CreateWindowExA(WS_EX_TOPMOST, "OrbDisplayTest", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};

// 16 x 16, 24 bits: blue-green-red (10, 20, 200) with a white centre 8 x 8.
GXDrawingSurface RedWithWhiteHole() {
    GXDrawingSurface picture;
    picture.Create(24, 16, 16);
    for (int row = 0; row < 16; ++row) {
        auto pixels = picture.Row(row);
        for (int x = 0; x < 16; ++x) {
            bool hole = x >= 4 && x < 12 && row >= 4 && row < 12;
            pixels[x * 3] = hole ? 255 : 10;
            pixels[x * 3 + 1] = hole ? 255 : 20;
            pixels[x * 3 + 2] = hole ? 255 : 200;
        }
    }
    return picture;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// Draws the picture into a sprite surface, a green field onto the screen, then the
// sprite over it keyed: the hole shows the green.
void CheckKeyedCopyReachesTheScreen(DisplayBackend& display, HWND window) {
    NullReportSink reports;
    std::unique_ptr<DisplaySurface> sprite = display.CreateSurface(16, 16);
    std::unique_ptr<DisplaySurface> field = display.CreateSurface(64, 64);
    ASSERT_TRUE(sprite && field);
    GXDrawingSurface green;
    green.Create(24, 64, 64);
    green.Fill(0, 200, 0);
    ASSERT_TRUE(display.DrawPicture(*field, green, 0, 0));
    ASSERT_TRUE(display.DrawPicture(*sprite, RedWithWhiteHole(), 0, 0));
    display.SetColourKey(*sprite);
    ASSERT_EQ(display.Blit(display.Screen(), 100, 100, *field, Rect{0, 0, 64, 64}, false), BlitResult::Ok);
    ASSERT_EQ(display.Blit(display.Screen(), 110, 110, *sprite, Rect{0, 0, 16, 16}, true), BlitResult::Ok);
    // A copy sticking out of the screen is clipped, not refused.
    EXPECT_EQ(display.Blit(display.Screen(), -2, 200, *sprite, Rect{0, 0, 16, 16}, false), BlitResult::Ok);
    GdiFlush();
    Sleep(300);  // Wine shows DirectDraw's primary surface on a timer
    COLORREF edge = ScreenPixel(window, 111, 111);
    COLORREF hole = ScreenPixel(window, 118, 118);
    COLORREF field0 = ScreenPixel(window, 101, 101);
    EXPECT_GT(GetRValue(edge), 150) << std::hex << edge;
    EXPECT_LT(GetGValue(edge), 60) << std::hex << edge;
    EXPECT_GT(GetGValue(hole), 150) << std::hex << hole;  // white was skipped
    EXPECT_LT(GetRValue(hole), 60) << std::hex << hole;
    EXPECT_GT(GetGValue(field0), 150) << std::hex << field0;
    COLORREF clipped = ScreenPixel(window, 0, 201);  // sprite pixel (2, 1)
    EXPECT_GT(GetRValue(clipped), 150) << std::hex << clipped;
    EXPECT_LT(GetGValue(clipped), 60) << std::hex << clipped;
}

TEST(GdiDisplay, KeyedCopiesReachTheWindow) {
    TestWindow window;
    GdiDisplay display(window.handle, {});
    NullReportSink reports;
    ASSERT_TRUE(display.Open(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32, reports));
    EXPECT_EQ(display.DrawingDepth(), 24);
    CheckKeyedCopyReachesTheScreen(display, window.handle);
}

TEST(GdiDisplay, EveryViewGetsTheShowScaledToIt) {
    TestWindow window;
    // A 200 x 100 show, once 1:1 at the top left and once at half size at x 300.
    GdiDisplay display(window.handle, {Rect{0, 0, 200, 100}, Rect{300, 0, 400, 50}});
    NullReportSink reports;
    ASSERT_TRUE(display.Open(200, 100, 32, reports));
    std::unique_ptr<DisplaySurface> field = display.CreateSurface(64, 64);
    ASSERT_TRUE(field);
    GXDrawingSurface green;
    green.Create(24, 64, 64);
    green.Fill(0, 200, 0);
    ASSERT_TRUE(display.DrawPicture(*field, green, 0, 0));
    ASSERT_EQ(display.Blit(display.Screen(), 0, 0, *field, Rect{0, 0, 64, 64}, false), BlitResult::Ok);
    GdiFlush();
    // Show pixels 0..63 land on 0..63 of the first view and, halved, on 300..331 x 0..31.
    const struct {
        int x, y;
        bool green;
    } expected[] = {{10, 10, true}, {63, 63, true}, {70, 10, false}, {310, 10, true},
                    {331, 31, true}, {334, 10, false}, {310, 34, false}};
    for (const auto& e : expected) {
        const COLORREF pixel = ScreenPixel(window.handle, e.x, e.y);
        EXPECT_EQ(GetGValue(pixel) > 150 && GetRValue(pixel) < 60, e.green)
            << e.x << "," << e.y << " " << std::hex << pixel;
    }
}

int ScreenDepth() {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return depth;
}

bool DirectDrawScreen() { return ScreenDepth() == 16 || ScreenDepth() == 24; }

// A DirectDraw display opened full screen on a window of its own.
struct OpenDirectDraw {
    explicit OpenDirectDraw(HMODULE library = LoadLibraryA("ddraw.dll")) : display(library, window.handle, quit) {
        opened = library && display.Open(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                         ScreenDepth(), reports);
    }
    TestWindow window;
    RecordQuit quit;
    ReportLog reports;
    DirectDrawDisplay display;
    bool opened = false;
};

TEST(DirectDrawDisplay, KeyedCopiesReachTheScreen) {
    if (!DirectDrawScreen()) GTEST_SKIP() << "DirectDraw serves 16- and 24-bit screens, not " << ScreenDepth();
    OpenDirectDraw open;
    ASSERT_TRUE(open.opened);
    EXPECT_TRUE(open.reports.Empty());
    CheckKeyedCopyReachesTheScreen(open.display, open.window.handle);
}

IDirectDrawSurface* SurfaceOf(DisplaySurface& surface) { return static_cast<DirectDrawSurface&>(surface).Get(); }

// A picture whose pixels stop short of what its header promises would make GDI
// read past them: it is left undrawn and the surface keeps what it had.
TEST(DirectDrawDisplay, PictureShortOfItsPixelsLeavesTheSurfaceAlone) {
    if (!DirectDrawScreen()) GTEST_SKIP() << "DirectDraw serves 16- and 24-bit screens, not " << ScreenDepth();
    OpenDirectDraw open;
    ASSERT_TRUE(open.opened);
    std::unique_ptr<DisplaySurface> sprite = open.display.CreateSurface(16, 16);
    ASSERT_TRUE(sprite);
    GXDrawingSurface green;
    green.Create(24, 16, 16);
    green.Fill(0, 200, 0);
    ASSERT_TRUE(open.display.DrawPicture(*sprite, green, 0, 0));
    GXDrawingSurface cut = RedWithWhiteHole();
    cut.pixels.resize(cut.pixels.size() - 1);
    EXPECT_TRUE(open.display.DrawPicture(*sprite, cut, 0, 0));
    HDC dc = nullptr;
    ASSERT_EQ(SurfaceOf(*sprite)->GetDC(&dc), DD_OK);
    const COLORREF corner = GetPixel(dc, 0, 0);
    SurfaceOf(*sprite)->ReleaseDC(dc);
    EXPECT_GT(GetGValue(corner), 150) << std::hex << corner;
    EXPECT_LT(GetRValue(corner), 60) << std::hex << corner;
}

void SetSurfacePixel(IDirectDrawSurface* surface, int x, int y, COLORREF colour) {
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    SetPixel(dc, x, y, colour);
    surface->ReleaseDC(dc);
}

// On a 16-bit screen (5 bits red, 6 green, 5 blue, red on top) a GDI colour's
// pixel value keeps the top bits of each channel: red 255 -> 31 << 11 = 0xF800,
// green 255 -> 63 << 5 = 0x07E0, blue 255 -> 31 = 0x001F; (8, 4, 8) -> 1 << 11 |
// 1 << 5 | 1 = 0x0821. Pixel (1, 0) is white, so the first 32-bit word's upper
// half is 0xFFFF: only the low 16 bits may come back.
TEST(DirectDrawDisplay, ColoursMatchSixteenBitPixels) {
    if (ScreenDepth() != 16) GTEST_SKIP() << "a 16-bit screen is needed; this one has " << ScreenDepth();
    OpenDirectDraw open;
    ASSERT_TRUE(open.opened);
    std::unique_ptr<DisplaySurface> surface = open.display.CreateSurface(8, 8);
    ASSERT_TRUE(surface);
    IDirectDrawSurface* raw = SurfaceOf(*surface);
    SetSurfacePixel(raw, 1, 0, RGB(255, 255, 255));
    SetSurfacePixel(raw, 0, 0, RGB(0, 255, 0));
    const struct {
        COLORREF colour;
        std::uint32_t pixel;
    } cases[] = {{RGB(255, 0, 0), 0xF800}, {RGB(0, 255, 0), 0x07E0}, {RGB(0, 0, 255), 0x001F},
                 {RGB(255, 255, 255), 0xFFFF}, {RGB(0, 0, 0), 0x0000}, {RGB(8, 4, 8), 0x0821}};
    for (const auto& c : cases) EXPECT_EQ(open.display.DDColorMatch(raw, c.colour), c.pixel) << std::hex << c.colour;
    // No colour given: the first pixel as it is, green again after every match.
    EXPECT_EQ(open.display.DDColorMatch(raw, 0xFFFFFFFF), 0x07E0u);
}

// Wine marks every surface of an exclusive window lost when the window is sent
// away and back. The recovery brings each back and the next frame shows the
// sprite (red edge, white hole keyed out) on the green backdrop.
TEST(DirectDrawDisplay, SurfacesLostWhileTheWindowWasAwayComeBack) {
    if (!DirectDrawScreen()) GTEST_SKIP() << "DirectDraw serves 16- and 24-bit screens, not " << ScreenDepth();
    OpenDirectDraw open;
    ASSERT_TRUE(open.opened);
    DisplayDevice device(open.display, open.quit, open.reports);
    ASSERT_TRUE(device.DXInit(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), ScreenDepth()));
    ASSERT_TRUE(device.SetBackdrop(nullptr, RGB(0, 200, 0)));
    GXDrawingSurface sprite = RedWithWhiteHole();
    sprite.squareCanvas = true;
    std::uint32_t id = device.AddObject(&sprite, nullptr, 16, 16, 16, 16, 0, 0, kDrawTransparent, kWhiteKey, 0, 0);
    ASSERT_NE(id, 0u);
    SendMessageA(open.window.handle, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageA(open.window.handle, WM_ACTIVATEAPP, TRUE, 0);
    // Going away minimised the window; it comes back as the user would bring it.
    ShowWindow(open.window.handle, SW_RESTORE);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    IDirectDrawSurface* screen = SurfaceOf(open.display.Screen());
    ASSERT_EQ(screen->IsLost(), DDERR_SURFACELOST);
    EXPECT_TRUE(device.RestoreSurfaces());
    EXPECT_EQ(screen->IsLost(), DD_OK);
    for (const auto& item : device.Items()) EXPECT_EQ(SurfaceOf(*item->surface)->IsLost(), DD_OK);
    EXPECT_EQ(open.quit.last, -1);
    EXPECT_TRUE(open.reports.Empty());
    // Centre (118, 118): the sprite covers 110 .. 125.
    DirtyRectList dirty;
    device.PlaceObject(id, 118, 118);
    device.UpdateDrawList(dirty);
    device.BlitAllItems(false);
    device.DrawList(dirty, 2);
    GdiFlush();
    Sleep(300);
    COLORREF edge = ScreenPixel(open.window.handle, 111, 111);
    COLORREF hole = ScreenPixel(open.window.handle, 118, 118);
    EXPECT_GT(GetRValue(edge), 150) << std::hex << edge;
    EXPECT_LT(GetGValue(edge), 60) << std::hex << edge;
    EXPECT_GT(GetGValue(hole), 150) << std::hex << hole;
    EXPECT_LT(GetRValue(hole), 60) << std::hex << hole;
}

// The stand-in ddraw.dll, told which call of giving the display back to refuse.
HMODULE RefusingDirectDraw(const char* call) {
    HMODULE library = LoadLibraryA("refusing_ddraw.dll");
    using Refuse = void (*)(const char*);
    if (auto refuse = library ? reinterpret_cast<Refuse>(reinterpret_cast<void*>(
                                    GetProcAddress(library, "RefuseDirectDrawCall")))
                              : nullptr)
        refuse(call);
    return library;
}

// Each refusal is reported and stops the closing there; the display is still
// released without harm when it is destroyed.
TEST(DirectDrawDisplay, ClosingReportsWhatCouldNotBeGivenBack) {
    if (!DirectDrawScreen()) GTEST_SKIP() << "DirectDraw serves 16- and 24-bit screens, not " << ScreenDepth();
    const struct {
        const char* refused;
        const char* report;
    } cases[] = {{"normal-level", "Failed to reset DD Cooperative level ()\n"},
                 {"restore-mode", "Failed to restore DD DisplayMode ()\n"}};
    for (const auto& c : cases) {
        OpenDirectDraw open(RefusingDirectDraw(c.refused));
        ASSERT_TRUE(open.opened) << c.refused;
        open.display.Close(open.reports);
        ASSERT_EQ(open.reports.reports.size(), 1u) << c.refused;
        EXPECT_EQ(FormatReport(open.reports.reports[0]), c.report);
    }
}

TEST(DirectDrawDisplay, LibraryWithoutTheEntryPointEndsWith95) {
    // Any loaded library lacking DirectDrawCreate stands in for a broken ddraw.dll.
    HMODULE notDirectDraw = LoadLibraryA("version.dll");
    ASSERT_NE(notDirectDraw, nullptr);
    RecordQuit quit;
    DirectDrawDisplay display(notDirectDraw, nullptr, quit);
    ReportLog reports;
    EXPECT_FALSE(display.Open(640, 480, 16, reports));
    EXPECT_EQ(quit.last, 95);
}

}  // namespace
}  // namespace orb
