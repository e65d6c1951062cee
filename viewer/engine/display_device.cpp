#include "viewer/engine/display_device.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/imaging/fixed_palette.h"

namespace orb {
namespace {

// Draw-list exit codes. A sprite surface found not square ends the show with 11
// when its picture is updated and with 14 when it is blitted.
constexpr int kExitUpdatedSurfaceNotSquare = 11;
constexpr int kExitBlittedSurfaceNotSquare = 14;
constexpr int kExitEraseWithoutHidden = 14;
constexpr int kExitFrameBeyondList = 84;
constexpr int kExitUnknownItem = 88;
constexpr int kExitNoFrame = 104;
constexpr int kExitMissingRotation = 977;
constexpr int kExitSurfaceLostForGood = 995;

constexpr double kStepsPerDegree = 0.044444444444444446;  // 1 / 22.5

int RotationStep(double angle) { return static_cast<int>(std::floor(angle * kStepsPerDegree)); }
int ClampedRotationStep(double angle) { return std::clamp(RotationStep(angle), 0, 15); }

// Side of the square surface holding a picture of this extent (its diagonal).
int SurfaceSideFor(int width, int height) {
    const long long w = width, h = height;
    return 2 * static_cast<int>(std::sqrt(static_cast<double>((w * w + h * h) / 4)));
}

std::uint8_t Red(std::uint32_t colour) { return colour & 0xFF; }
std::uint8_t Green(std::uint32_t colour) { return (colour >> 8) & 0xFF; }
std::uint8_t Blue(std::uint32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace

DisplayDevice::DisplayDevice(DisplayBackend& backend, QuitSink& quit, ReportSink& reports)
    : backend_(backend), quit_(quit), reports_(reports) {}

DisplayDevice::~DisplayDevice() { DXUninit(); }

void DisplayDevice::Fatal(int code) { quit_.QuitWithCode(code); }

bool DisplayDevice::DXInit(int width, int height, int bitsPerPixel) {
    DXUninit();
    if (width <= 0 || height <= 0) return false;
    // A screen size the table does not know is shown at its own size.
    mode_ = {width, height};
    for (const Mode& mode : kModes)
        if (mode.width == width) mode_ = mode;
    depth_ = bitsPerPixel;
    if (!backend_.Open(width, height, bitsPerPixel, reports_)) return false;
    drawingDepth_ = backend_.DrawingDepth();
    backBuffer_ = backend_.CreateSurface(mode_.width, mode_.height);
    if (!backBuffer_) {
        reports_.Error("Failed to create DD BackSurface");
        backend_.Close(reports_);
        return false;
    }
    return true;
}

void DisplayDevice::DXUninit() {
    items_.clear();
    scaledRotations_.Clear();
    backdrop_.reset();
    backBuffer_.reset();
    backdropPicture_.reset();
    hiddenPicture_.reset();
    if (depth_ != 0) backend_.Close(reports_);
    depth_ = 0;
}

// Every sprite looks its item up several times a frame. Items are appended with
// rising ids and never taken out one by one, so an item's id less the first's is
// nearly always its place; else the list, sorted by id, is searched.
const DrawItem* DisplayDevice::Find(std::uint32_t id) const {
    if (items_.empty()) return nullptr;
    if (const std::uint32_t place = id - items_.front()->id; place < items_.size() && items_[place]->id == id)
        return items_[place].get();
    const auto found = std::lower_bound(items_.begin(), items_.end(), id,
                                        [](const auto& item, std::uint32_t wanted) { return item->id < wanted; });
    return found != items_.end() && (*found)->id == id ? found->get() : nullptr;
}

DrawItem* DisplayDevice::Find(std::uint32_t id) {
    return const_cast<DrawItem*>(std::as_const(*this).Find(id));
}

void DisplayDevice::RebuildDisplay(DrawItem& item) {
    item.sharedImage.reset();
    GXDrawingSurface& picture = item.display.picture;
    picture = item.workImage;
    if (item.flipHorizontal) picture.FlipHorizontal(Program::Viewer, reports_);
    if (item.flipVertical) picture.FlipVertical(Program::Viewer, reports_);
    picture.Rotate(static_cast<int>(item.angle), Program::Viewer);
    Survey(item.display);
}

bool DisplayDevice::SetQuickRotationImage(DrawItem& item, int k) {
    if (!item.frame || k < 0 || k >= static_cast<int>(item.frame->rotationSet.size()))
        return false;
    item.sharedImage = scaledRotations_.Get(item.frame->rotationSet[k], item.width, item.height, reports_);
    return true;
}

bool DisplayDevice::DrawIntoSurface(DrawItem& item) {
    const GXDrawingSurface& image = item.Shown();
    const bool direct = backend_.BlitsPictures();
    const int side = item.surfaceSide;
    if (side < image.Width() || side < image.Height()) {
        // The picture outgrew its surface (a growing sprite): give it a larger one.
        const int needed = std::max(image.Width(), image.Height());
        if (!direct) {
            std::unique_ptr<DisplaySurface> larger = backend_.CreateSurface(needed, needed);
            if (!larger) return false;
            if (item.flags & kDrawTransparent) backend_.SetColourKey(*larger);
            item.surface = std::move(larger);
        }
        item.surfaceSide = needed;
    }
    ++item.pictureVersion;
    if (direct) return true;
    return backend_.DrawPicture(*item.surface, image, (item.surfaceSide - image.Width()) / 2,
                                (item.surfaceSide - image.Height()) / 2);
}

std::uint32_t DisplayDevice::AddObject(const GXDrawingSurface* frame, const WorldMapping* mapping,
                                       int width, int height, int extentWidth, int extentHeight,
                                       double angle, int frameIndex, std::uint32_t flags,
                                       std::uint32_t keyColour, int flipHorizontal,
                                       int flipVertical) {
    if (!frame) {
        Fatal(kExitNoFrame);
        return 0;
    }
    if (!backBuffer_ || static_cast<int>(items_.size()) >= kMaxItems) return 0;
    auto item = std::make_unique<DrawItem>();
    item->id = ++nextId_;
    item->frame = frame;
    item->mapping = mapping;
    item->width = std::max(width, 1);
    item->height = std::max(height, 1);
    item->angle = angle;
    item->frameIndex = frameIndex;
    item->flags = flags;
    item->keyColour = keyColour;
    item->flipHorizontal = flipHorizontal;
    item->flipVertical = flipVertical;
    item->workImage = frame->ScaledCopy(item->width, item->height, reports_);
    if (!(quickRotation_ && SetQuickRotationImage(*item, ClampedRotationStep(angle))))
        RebuildDisplay(*item);

    // The surface holds the picture at any angle of its extent; a tiny extent
    // (a sprite raised to its minimum size) still gets room for its picture.
    const GXDrawingSurface& image = item->Shown();
    item->surfaceSide = std::max({SurfaceSideFor(std::max(extentWidth, 0), std::max(extentHeight, 0)),
                                  image.Width(), image.Height(), 1});
    if (!backend_.BlitsPictures()) {
        item->surface = backend_.CreateSurface(item->surfaceSide, item->surfaceSide);
        if (!item->surface) return 0;
    }
    DrawIntoSurface(*item);
    if (item->surface && (flags & kDrawTransparent)) backend_.SetColourKey(*item->surface);
    items_.push_back(std::move(item));
    return items_.back()->id;
}

bool DisplayDevice::PlaceObject(std::uint32_t id, int x, int y) {
    DrawItem* item = Find(id);
    if (!item) return false;
    item->x = x;
    item->y = y;
    return true;
}

bool DisplayDevice::UpdateObject(std::uint32_t id, int width, int height, double angle,
                                 int frameIndex, bool rebuild, int flipHorizontal,
                                 int flipVertical) {
    DrawItem* item = Find(id);
    if (!item) return false;
    width = std::max(width, 1);
    height = std::max(height, 1);
    item->flipHorizontal = flipHorizontal;
    item->flipVertical = flipVertical;
    const int k = ClampedRotationStep(angle);

    if (frameIndex != item->frameIndex || rebuild) {
        const GXDrawingSurface* frame = item->frame->firstFrame ? item->frame->firstFrame : item->frame;
        for (int i = 0; i < frameIndex && frame; ++i) frame = frame->nextFrame;
        if (!frame || frameIndex < 0) {
            Fatal(kExitFrameBeyondList);
            return false;
        }
        item->frame = frame;
        item->width = width;
        item->height = height;
        item->angle = angle;
        if (quickRotation_) {
            if (!SetQuickRotationImage(*item, k)) {
                Fatal(kExitMissingRotation);
                return false;
            }
        } else {
            item->workImage = frame->ScaledCopy(width, height, reports_);
            RebuildDisplay(*item);
        }
        item->frameIndex = frameIndex;
    } else if (width == item->width && height == item->height) {
        if (angle == item->angle) return true;
        if (quickRotation_) {
            if (k == RotationStep(item->angle)) {
                item->angle = angle;
                return true;
            }
            item->angle = angle;
            if (!SetQuickRotationImage(*item, k)) {
                Fatal(kExitMissingRotation);
                return false;
            }
        } else {
            if (angle > 360) angle -= 360;
            if (angle < 0) angle += 360;
            item->angle = angle;
            RebuildDisplay(*item);
        }
    } else {
        item->width = width;
        item->height = height;
        item->angle = angle;
        if (quickRotation_) {
            if (item->Shown().Width() == width && item->Shown().Height() == height)
                return true;
            if (!SetQuickRotationImage(*item, k)) {
                Fatal(kExitMissingRotation);
                return false;
            }
        } else {
            item->workImage = item->frame->ScaledCopy(width, height, reports_);
            RebuildDisplay(*item);
        }
    }
    if (item->surface && item->surface->Width() != item->surface->Height()) {
        Fatal(kExitUpdatedSurfaceNotSquare);
        return false;
    }
    DrawIntoSurface(*item);
    return true;
}

bool DisplayDevice::ShowObject(std::uint32_t id, bool visible) {
    DrawItem* item = Find(id);
    if (!item) return false;
    item->visible = visible;
    return true;
}

const SpritePicture* DisplayDevice::ItemPicture(std::uint32_t id) const {
    const DrawItem* item = Find(id);
    return item ? &item->ShownSprite() : nullptr;
}

const GXDrawingSurface* DisplayDevice::BackdropPicture() const { return backdropPicture_.get(); }

bool DisplayDevice::SetBackdrop(const GXDrawingSurface* picture, std::uint32_t colour) {
    if (!backBuffer_) return false;
    if (!backdrop_) backdrop_ = backend_.CreateSurface(mode_.width, mode_.height);
    if (!backdrop_) return false;
    if (!backdropPicture_) {
        auto kept = std::make_unique<GXDrawingSurface>();
        if (picture) {
            *kept = *picture;
            kept->Scale(mode_.width, mode_.height, reports_);
        } else {
            std::uint8_t r = Red(colour), g = Green(colour), b = Blue(colour);
            // On a palette display white would be transparent; keep it just off white.
            if (drawingDepth_ == 8 && r == 255 && g == 255 && b == 255) r = g = b = 253;
            kept->Create(24, mode_.width, mode_.height);
            kept->Fill(r, g, b);
        }
        if (drawingDepth_ == 8)
            kept->ConvertTo8(Program::Viewer);
        else
            kept->ConvertTo24(Program::Viewer, reports_);
        backdropPicture_ = std::move(kept);
    }
    backend_.DrawPicture(*backdrop_, *backdropPicture_, 0, 0);
    const Rect whole{0, 0, mode_.width, mode_.height};
    for (auto [target, source] : {std::pair{backBuffer_.get(), backdrop_.get()},
                                  std::pair{&backend_.Screen(), backBuffer_.get()}}) {
        const BlitResult result = BlitRepeating(*target, 0, 0, *source, whole, false);
        if (result == BlitResult::SurfaceLost) {
            RestoreSurfaces();
            return false;
        }
        if (result != BlitResult::Ok) return false;
    }
    return true;
}

bool DisplayDevice::RefreshBackdrop() { return SetBackdrop(nullptr, 0); }

bool DisplayDevice::AddXorBuffer(const GXDrawingSurface* picture, std::uint32_t colour) {
    hiddenPicture_.reset();
    if (mode_.width <= 0) return false;
    auto hidden = std::make_unique<GXDrawingSurface>();
    if (picture) {
        *hidden = *picture;
        hidden->Scale(mode_.width, mode_.height, reports_);
        hidden->ConvertTo24(Program::Viewer, reports_);
    } else {
        std::uint8_t r = Red(colour), g = Green(colour), b = Blue(colour);
        if (r == 255 && g == 255 && b == 255) r = g = b = 253;
        hidden->Create(24, mode_.width, mode_.height);
        hidden->Fill(r, g, b);
    }
    if (drawingDepth_ == 8) hidden->ConvertTo8(Program::Viewer);
    hiddenPicture_ = std::move(hidden);
    return true;
}

void DisplayDevice::ScreenPosition(const DrawItem& item, int& x, int& y) const {
    if (!item.mapping || item.mapping->source.Width() == 0 || item.mapping->source.Height() == 0) {
        x = item.x;
        y = item.y;
        return;
    }
    const Rect& s = item.mapping->source;
    const Rect& d = item.mapping->destination;
    const double sx = static_cast<double>(d.Width()) / s.Width();
    const double sy = static_cast<double>(d.Height()) / s.Height();
    // Positions far outside the view are kept far outside, without overflow.
    constexpr double kFar = 1 << 28;
    x = static_cast<int>(std::clamp((item.x - s.left) * sx + d.left + 0.5, -kFar, kFar));
    y = static_cast<int>(std::clamp((item.y - s.top) * sy + d.top + 0.5, -kFar, kFar));
}

void DisplayDevice::UpdateDrawList(DirtyRectList& dirty) {
    for (const auto& item : items_) {
        int x = 0, y = 0;
        ScreenPosition(*item, x, y);
        const int w = item->Shown().Width();
        const int left = x - w / 2, top = y - w / 2;
        dirty.Push({left, top, left + w, top + w});
    }
    dirty.BuildWorkingList();
}

bool DisplayDevice::BlitRectangles(const DrawItem& item, Rect& target, Rect& source) const {
    const int w = item.Shown().Width(), h = item.Shown().Height();
    int x = 0, y = 0;
    ScreenPosition(item, x, y);
    const Rect unclipped{x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h};
    // The last screen column and row are never drawn on.
    target = Intersect(unclipped, Rect{0, 0, mode_.width - 1, mode_.height - 1});
    if (target.Width() <= 0 || target.Height() <= 0) return false;
    // The source is cut where the screen cut the picture.
    const int sourceLeft = target.left - unclipped.left;
    const int sourceTop = target.top - unclipped.top;
    source = {sourceLeft, sourceTop, sourceLeft + target.Width(), sourceTop + target.Height()};
    return true;
}

BlitResult DisplayDevice::BlitRepeating(DisplaySurface& target, int x, int y,
                                        DisplaySurface& source, const Rect& rect, bool keyed) {
    BlitResult result;
    do {
        result = backend_.Blit(target, x, y, source, rect, keyed);
    } while (result == BlitResult::StillDrawing);
    return result;
}

void DisplayDevice::DrawList(const DirtyRectList& dirty, int phase) {
    if (!backBuffer_) return;
    DisplaySurface* source = phase == 1 ? backdrop_.get() : backBuffer_.get();
    DisplaySurface* target = phase == 1 ? backBuffer_.get() : &backend_.Screen();
    if (!source) return;
    const Rect screen{0, 0, mode_.width, mode_.height};
    for (const Rect& rect : dirty.Working()) {
        const Rect r = Intersect(rect, screen);
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        const BlitResult result = BlitRepeating(*target, r.left, r.top, *source, r, false);
        if (result == BlitResult::SurfaceLost) RestoreSurfaces();
        if (result != BlitResult::Ok) return;
    }
}

void DisplayDevice::BlitAllItems(bool imprint) {
    // Ids, not positions: a recovery inside BlitItem does not change the list.
    for (std::size_t i = 0; i < items_.size(); ++i) BlitItem(items_[i]->id, imprint);
}

bool DisplayDevice::BlitItem(std::uint32_t id, bool imprint) {
    DrawItem* item = Find(id);
    if (!item) {
        Fatal(kExitUnknownItem);
        return false;
    }
    if (!backBuffer_ || (item->surface && item->surface->Width() != item->surface->Height())) {
        Fatal(kExitBlittedSurfaceNotSquare);
        return false;
    }
    const GXDrawingSurface& image = item->Shown();
    Rect clipped, source;
    if (!BlitRectangles(*item, clipped, source)) return true;
    const bool keyed = item->flags & kDrawTransparent;
    const bool direct = backend_.BlitsPictures();
    // Without direct blits the picture is drawn centred in the item's surface.
    const int ox = (item->surfaceSide - image.Width()) / 2, oy = (item->surfaceSide - image.Height()) / 2;
    const Rect inSurface{source.left + ox, source.top + oy, source.right + ox, source.bottom + oy};

    // `picture` is the item's picture or its eraser cut-out, with its rows' spans
    // of colour where known; without direct blits the item's surface holds it.
    auto blit = [&](DisplaySurface& target, const GXDrawingSurface& picture, std::span<const RowSpan> colourRows) {
        BlitResult result;
        do {
            result = direct ? backend_.BlitPicture(target, clipped.left, clipped.top, picture, colourRows, source, keyed)
                            : backend_.Blit(target, clipped.left, clipped.top, *item->surface, inSurface, keyed);
        } while (result == BlitResult::StillDrawing);
        if (result == BlitResult::SurfaceLost) RestoreSurfaces();
        return result == BlitResult::Ok;
    };

    const std::span<const RowSpan> imageRows = item->ShownSprite().colourRows;
    if (item->visible && !blit(*backBuffer_, image, imageRows)) return false;
    if (item->flags & kDrawErase) {
        if (!hiddenPicture_) {
            Fatal(kExitEraseWithoutHidden);
            return false;
        }
        GXDrawingSurface cutOut = image;
        hiddenPicture_->Blt(cutOut, clipped.left, clipped.top, clipped.right, clipped.bottom,
                            source.left, source.top, kBltEraseCapture, reports_);
        if (!direct) backend_.DrawPicture(*item->surface, cutOut, ox, oy);
        const bool ok = !item->visible || !backdrop_ || blit(*backdrop_, cutOut, {});
        if (!direct) backend_.DrawPicture(*item->surface, image, ox, oy);
        if (!ok) return false;
    }
    if (imprint && backdrop_ && !blit(*backdrop_, image, imageRows)) return false;
    return true;
}

bool DisplayDevice::RestoreSurfaces() {
    if (!backBuffer_) return true;
    if (!backend_.Restore(backend_.Screen())) {
        Fatal(kExitSurfaceLostForGood);
        return true;
    }
    if (backdrop_) {
        if (!backend_.Restore(*backdrop_) || !backdropPicture_) {
            Fatal(kExitSurfaceLostForGood);
            return true;
        }
        backend_.DrawPicture(*backdrop_, *backdropPicture_, 0, 0);
    }
    if (!backend_.Restore(*backBuffer_)) {
        Fatal(kExitSurfaceLostForGood);
        return true;
    }
    if (backdrop_)
        backend_.Blit(*backBuffer_, 0, 0, *backdrop_, Rect{0, 0, mode_.width, mode_.height}, false);
    for (const auto& item : items_) {
        if (item->surface && !backend_.Restore(*item->surface)) {
            const std::string name = item->frame ? item->frame->name : "NULL";
            reports_.Error("Unable to restore out-scoped resource " + name + "\n");
            continue;
        }
        if (!DrawIntoSurface(*item)) {
            reports_.Error("Failed in DD to GetDC for Restore");
            return false;
        }
    }
    return true;
}

}  // namespace orb
