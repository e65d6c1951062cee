// How a file dialog request becomes the structure the system dialog runs with.
#include <gtest/gtest.h>

#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

UINT_PTR CALLBACK NoHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST(FileDialogFields, TemplateAndHookSwitchThemselvesOn) {
    constexpr DWORD kAlways = OFN_EXPLORER | OFN_HIDEREADONLY;
    struct Case {
        const char* name;
        int childTemplate;
        LPOFNHOOKPROC hook;
        DWORD flags;
    } cases[] = {
        {"plain", 0, nullptr, kAlways | OFN_FILEMUSTEXIST},
        {"template", 77, nullptr, kAlways | OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE},
        {"hook", 0, NoHook, kAlways | OFN_FILEMUSTEXIST | OFN_ENABLEHOOK},
        {"both", 77, NoHook, kAlways | OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK},
    };
    for (const Case& c : cases) {
        FileDialogRequest request;
        request.flags = OFN_FILEMUSTEXIST;
        request.childTemplate = c.childTemplate;
        request.hook = c.hook;
        request.hookData = 1234;
        char name[16] = {};
        const OPENFILENAMEA fields = FileDialogFields(request, name);
        EXPECT_EQ(fields.Flags, c.flags) << c.name;
        // The template is looked up in the program's own resources.
        EXPECT_EQ(fields.hInstance, c.childTemplate ? GetModuleHandleA(nullptr) : nullptr) << c.name;
        EXPECT_EQ(fields.lpTemplateName, c.childTemplate ? MAKEINTRESOURCEA(77) : nullptr) << c.name;
        EXPECT_EQ(fields.lpfnHook, c.hook) << c.name;
        EXPECT_EQ(fields.lCustData, c.hook ? 1234 : 0) << c.name;
    }
}

TEST(FileDialogFields, NameBufferAndWordsPassThrough) {
    static constexpr char kFilter[] = "Projects (*.apj)\0*.apj\0";
    FileDialogRequest request;
    request.owner = HWND(0x10);
    request.title = "Pick";
    request.filter = kFilter;
    request.filterIndex = 2;
    request.defaultExtension = "apj";
    request.initialFolder = "C:\\work";
    char name[260] = "Untitled.apj";
    const OPENFILENAMEA fields = FileDialogFields(request, name);
    EXPECT_EQ(fields.lStructSize, sizeof(OPENFILENAMEA));
    EXPECT_EQ(fields.hwndOwner, HWND(0x10));
    EXPECT_STREQ(fields.lpstrTitle, "Pick");
    EXPECT_EQ(fields.lpstrFilter, kFilter);
    EXPECT_EQ(fields.nFilterIndex, 2u);
    EXPECT_STREQ(fields.lpstrDefExt, "apj");
    EXPECT_STREQ(fields.lpstrInitialDir, "C:\\work");
    EXPECT_EQ(fields.lpstrFile, name);
    EXPECT_EQ(fields.nMaxFile, 260u);
}

TEST(RunFileDialog, NoRoomForANameShowsNoBox) {
    FileDialogRequest request;
    EXPECT_FALSE(RunFileDialog(FileDialogKind::Open, request, std::span<char>()));
    EXPECT_FALSE(RunFileDialog(FileDialogKind::Save, request, std::span<char>()));
}

}  // namespace
}  // namespace orb
