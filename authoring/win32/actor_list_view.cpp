// The main dialog's five-slot actor list: thumbnails, painting, scrolling,
// selection, the double-click animation and the ordering buttons.
#include <windowsx.h>

#include <algorithm>

#include "authoring/win32/about_dialog.h"
#include "authoring/win32/modify_actor_dialog.h"

#include "authoring/model/actor_import.h"
#include "authoring/win32/gdi_drawing.h"
#include "authoring/win32/project_dialog.h"
#include "authoring/win32/report_box.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

constexpr std::uint32_t kThumbGrey = 0xA0A0A0;
constexpr std::uint32_t kEmptySlotGrey = 0x808080;
constexpr std::uint32_t kHighlightGrey = 0xF0F0F0;

GXDrawingSurface MakeThumbnail(const GXDrawingSurface& frame, int slotWidth, int slotHeight, ReportSink& sink) {
    GXDrawingSurface copy = frame;
    int width = 0, height = 0;
    FitInside(copy.Width(), copy.Height(), slotWidth - 2, slotHeight - 2, width, height);
    copy.Scale(width, height, sink);
    GXDrawingSurface thumbnail;
    thumbnail.Create(24, slotWidth, slotHeight);
    thumbnail.Fill(0xA0, 0xA0, 0xA0);
    copy.Paste(thumbnail, (slotWidth - copy.Width()) / 2 - 1, (slotHeight - copy.Height()) / 2 - 1);
    HDC screen = GetDC(nullptr);
    bool palettised = GetDeviceCaps(screen, BITSPIXEL) < 16;
    ReleaseDC(nullptr, screen);
    // The key also lights the keyed pixels of the selected slot on any display.
    thumbnail.key = frame.key;
    if (palettised) {
        thumbnail.PaintTransparent(kThumbGrey, kThumbGrey);
        thumbnail.ConvertTo8(Program::Authoring);
    }
    return thumbnail;
}

}  // namespace

int ProjectDialog::FirstVisible() const {
    if (actorCount_ < 6) return 0;
    return std::clamp(firstVisible_, 0, actorCount_ - kSlotCount);
}

void ProjectDialog::RebuildThumbnails() {
    thumbnails_.clear();
    RECT slot = ClientArea(dialog_, IDC_SLOT_FIRST);
    ReportBoxSink sink;
    std::size_t count = project_.ActorCount();
    for (std::size_t actor = 0; actor < count; ++actor) {
        std::size_t begin = project_.FirstFrameIndex(actor), end = begin + project_.FramesOf(actor);
        if (actors_[begin]->frameCount == 0) actors_[begin]->frameCount = 1;
        std::vector<GXDrawingSurface> chain;
        for (std::size_t i = begin; i < end; ++i)
            chain.push_back(MakeThumbnail(*actors_[i], slot.right, slot.bottom, sink));
        thumbnails_.push_back(std::move(chain));
        if (thumbnails_.size() == kThumbnailTable) break;
    }
    actorCount_ = static_cast<std::int32_t>(count);
    SetPropA(dialog_, kActorCountProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(actorCount_)));
    if (selected_ >= actorCount_) selected_ = actorCount_ - 1;
    RedrawSlots();
}

void ProjectDialog::RedrawSlots() {
    for (int k = 0; k < kSlotCount; ++k) InvalidateRect(GetDlgItem(dialog_, IDC_SLOT_FIRST + k), nullptr, FALSE);
}

void ProjectDialog::DrawSlot(const DRAWITEMSTRUCT& item, int slot) {
    int actor = FirstVisible() + slot;
    if (actor >= actorCount_ || actor >= static_cast<int>(thumbnails_.size()) || thumbnails_[actor].empty()) {
        FillSolid(item.hDC, item.rcItem, kEmptySlotGrey);
        return;
    }
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_3DFACE));
    const GXDrawingSurface& thumbnail = thumbnails_[actor].front();
    if (actor == selected_) {
        GXDrawingSurface lit = thumbnail;
        lit.PaintTransparent(kThumbGrey, kHighlightGrey);
        DrawSurface(item.hDC, lit, 0, 0);
    } else {
        DrawSurfaceTransparent(item.hDC, thumbnail, 0, 0, kThumbGrey);
    }
}

void ProjectDialog::OnVerticalScroll(int code, int position, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ACTOR_SCROLL) return;
    int step = actorCount_ > 0 ? 255 / actorCount_ : 255;
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP: scrollPosition_ = std::max(0, scrollPosition_ - step); break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: scrollPosition_ = std::min(255, scrollPosition_ + step); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: scrollPosition_ = std::clamp(position, 0, 255); break;
    default: return;
    }
    // Rounded to the nearest position, halves up.
    firstVisible_ = (scrollPosition_ * actorCount_ * 2 + 255) / 510;
    if (actorCount_ < 5) scrollPosition_ = firstVisible_ = 0;
    SetScrollPos(control, SB_CTL, scrollPosition_, TRUE);
    RedrawSlots();
}

void ProjectDialog::SelectAt(POINT point) {
    RECT logo;
    GetWindowRect(GetDlgItem(dialog_, IDC_LOGO), &logo);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&logo), 2);
    if (PtInRect(&logo, point)) {
        RunAboutDialog(dialog_);
        return;
    }
    for (int k = 0; k < kSlotCount; ++k) {
        RECT slot;
        GetWindowRect(GetDlgItem(dialog_, IDC_SLOT_FIRST + k), &slot);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&slot), 2);
        if (!PtInRect(&slot, point)) continue;
        int actor = FirstVisible() + k;
        if (actor < actorCount_) {
            selected_ = actor;
            animationSlot_ = k;
            RedrawSlots();
        }
        return;
    }
}

void ProjectDialog::StartAnimation() {
    if (selected_ < 0) return;
    animationFrame_ = 0;
    SetTimer(dialog_, kAnimationTimer, 100, nullptr);
}

void ProjectDialog::AnimationTick() {
    if (selected_ < 0 || selected_ >= static_cast<int>(thumbnails_.size())) {
        KillTimer(dialog_, kAnimationTimer);
        return;
    }
    const std::vector<GXDrawingSurface>& chain = thumbnails_[selected_];
    if (animationFrame_ >= static_cast<int>(chain.size())) {
        KillTimer(dialog_, kAnimationTimer);
        return;
    }
    HWND slot = GetDlgItem(dialog_, IDC_SLOT_FIRST + animationSlot_);
    HDC dc = GetDC(slot);
    GXDrawingSurface lit = chain[animationFrame_];
    lit.PaintTransparent(kThumbGrey, kHighlightGrey);
    DrawSurface(dc, lit, 0, 0);
    ReleaseDC(slot, dc);
    ++animationFrame_;
}

void ProjectDialog::MoveSelected(int direction) {
    if (selected_ < 0) return;
    if (!project_.MoveActor(static_cast<std::size_t>(selected_), direction)) return;
    selected_ += direction;
    RebuildThumbnails();
}

void ProjectDialog::RemoveSelected() {
    if (selected_ < 0 || !project_.RemoveActor(static_cast<std::size_t>(selected_))) return;
    KillTimer(dialog_, kAnimationTimer);
    selected_ = selected_ > 0 ? selected_ - 1 : -1;
    if (actorCount_ - 1 < 5) {
        scrollPosition_ = firstVisible_ = 0;
        SetScrollPos(GetDlgItem(dialog_, IDC_ACTOR_SCROLL), SB_CTL, 0, TRUE);
    }
    RebuildThumbnails();
}

void ProjectDialog::GiveDefaultTransparencyFrom(std::size_t fromFrame) {
    for (std::size_t i = fromFrame; i < actors_.size(); ++i) GiveDefaultTransparency(*actors_[i]);
}

void ProjectDialog::ModifySelected() {
    if (selected_ >= 0 && static_cast<std::size_t>(selected_) < project_.ActorCount()) {
        ProjectSettings& settings = project_.settings;
        ModifyActorSwitches switches{settings[kQuickRotation] != 0, settings[kAlignToPath] != 0};
        if (RunModifyActorDialog(dialog_, *actors_[project_.FirstFrameIndex(static_cast<std::size_t>(selected_))],
                                 switches)) {
            settings[kQuickRotation] = switches.quickRotation ? 1 : 0;
            settings[kAlignToPath] = switches.alignToPath ? 1 : 0;
            RebuildThumbnails();
        }
    }
    RedrawSlots();
}

}  // namespace orb
