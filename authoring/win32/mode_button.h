// Bitmap push buttons whose faces are resources named after their caption:
// caption + "U" released, + "D" pressed, + "F" focused and + "X" disabled (the
// last two optional). ModeButton keeps a pressed state of its own; grouped
// buttons behave as one choice among up to eight.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "authoring/win32/gdi_drawing.h"

namespace orb {

class ModeButtonGroup;

class ModeButton {
public:
    // Takes over the owner-drawn button `id` of `dialog`: loads its faces and
    // sizes the control to the released face.
    void Attach(HWND dialog, int id);
    // Lets go of the control before its window is destroyed.
    void Detach();
    // Paints the face for the owner-draw request. Buttons without a pressed state
    // of their own (`latching` false) show "D" only while held down.
    void Draw(const DRAWITEMSTRUCT& item, bool latching = true) const;

    bool Pressed() const { return pressed_; }
    // Repaints on change.
    void SetPressed(bool pressed);
    // Grouped: press (releasing the others; a press on the pressed one is
    // ignored). Ungrouped: toggle.
    void Click();
    int Id() const { return id_; }

private:
    friend class ModeButtonGroup;
    HWND window_ = nullptr;
    int id_ = 0;
    Bitmap up_, down_, focus_, disabled_;
    bool pressed_ = false;
    ModeButtonGroup* group_ = nullptr;
};

class ModeButtonGroup {
public:
    static constexpr int kCapacity = 8;
    // The first button added is pressed at once. False when the group is full.
    bool Add(ModeButton& button);
    void Press(ModeButton& button);
    // Position of the pressed button in adding order, or -1 when none is pressed.
    int PressedIndex() const;
    // Presses the button at `index`; an index outside the group releases all.
    void PressIndex(int index);

private:
    std::array<ModeButton*, kCapacity> buttons_{};
    int count_ = 0;
};

}  // namespace orb
