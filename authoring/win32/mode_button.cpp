#include "authoring/win32/mode_button.h"

namespace orb {
namespace {

// The pressed state is also published on the button window, so accessibility
// tools and test drivers can read it from outside.
constexpr char kPressedProperty[] = "OrbPressed";

HBITMAP LoadFace(const std::string& caption, char suffix) {
    std::string name = caption + suffix;
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

void ModeButton::Attach(HWND dialog, int id) {
    id_ = id;
    window_ = GetDlgItem(dialog, id);
    char caption[64] = {};
    GetWindowTextA(window_, caption, sizeof caption);
    up_ = Bitmap(LoadFace(caption, 'U'));
    down_ = Bitmap(LoadFace(caption, 'D'));
    focus_ = Bitmap(LoadFace(caption, 'F'));
    disabled_ = Bitmap(LoadFace(caption, 'X'));
    SetPropA(window_, kPressedProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pressed_)));
    BITMAP info{};
    if (up_ && GetObjectA(up_.get(), sizeof info, &info))
        SetWindowPos(window_, nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void ModeButton::Detach() {
    if (window_) RemovePropA(window_, kPressedProperty);
    window_ = nullptr;
}

void ModeButton::Draw(const DRAWITEMSTRUCT& item, bool latching) const {
    bool down = latching ? pressed_ : (item.itemState & ODS_SELECTED) != 0;
    HBITMAP face = down ? down_.get() : up_.get();
    if ((item.itemState & ODS_DISABLED) && disabled_) face = disabled_.get();
    else if (!down && (item.itemState & ODS_FOCUS) && focus_) face = focus_.get();
    DrawBitmap(item.hDC, item.rcItem, face);
}

void ModeButton::SetPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    if (!window_) return;
    SetPropA(window_, kPressedProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pressed_)));
    InvalidateRect(window_, nullptr, FALSE);
}

void ModeButton::Click() {
    if (group_) group_->Press(*this);
    else SetPressed(!pressed_);
}

bool ModeButtonGroup::Add(ModeButton& button) {
    if (count_ == kCapacity) return false;
    buttons_[count_++] = &button;
    button.group_ = this;
    if (count_ == 1) button.SetPressed(true);
    return true;
}

void ModeButtonGroup::Press(ModeButton& button) {
    if (button.pressed_) return;
    for (int i = 0; i < count_; ++i)
        if (buttons_[i] != &button) buttons_[i]->SetPressed(false);
    button.SetPressed(true);
}

int ModeButtonGroup::PressedIndex() const {
    for (int i = 0; i < count_; ++i)
        if (buttons_[i]->pressed_) return i;
    return -1;
}

void ModeButtonGroup::PressIndex(int index) {
    if (index >= 0 && index < count_) {
        Press(*buttons_[index]);
        return;
    }
    for (int i = 0; i < count_; ++i) buttons_[i]->SetPressed(false);
}

}  // namespace orb
