// The Windows display back-ends on a real window: pictures drawn into surfaces,
// plain and white-keyed copies, and what reaches the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "common/imaging/drawing_surface.h"
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

TEST(DirectDrawDisplay, KeyedCopiesReachTheScreen) {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (depth != 16 && depth != 24) GTEST_SKIP() << "DirectDraw serves 16- and 24-bit screens; this one has " << depth;
    HMODULE ddraw = LoadLibraryA("ddraw.dll");
    ASSERT_NE(ddraw, nullptr);
    TestWindow window;
    RecordQuit quit;
    DirectDrawDisplay display(ddraw, window.handle, quit);
    ReportLog reports;
    ASSERT_TRUE(display.Open(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), depth, reports));
    EXPECT_TRUE(reports.Empty());
    CheckKeyedCopyReachesTheScreen(display, window.handle);
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
