// Construction, copies and frame-list bookkeeping of GXDrawingSurface.
#include "common/imaging/drawing_surface.h"

#include <algorithm>
#include <utility>

#include "common/imaging/picture_size.h"

namespace orb {

std::uint32_t StrideFor(int depth, std::int64_t width) {
    if (width <= 0) return 0;
    if (depth >= 24) return static_cast<std::uint32_t>(((3 * width + 3) / 4) * 4);
    if (depth == 16) return static_cast<std::uint32_t>(((2 * width + 1) / 2) * 2);
    if (depth == 1 || depth == 2 || depth == 4 || depth == 8) {
        const std::int64_t perWord = 32 / depth;
        return static_cast<std::uint32_t>(depth * perWord * ((width + perWord - 1) / perWord) / 8);
    }
    return 0;
}

GXDrawingSurface::GXDrawingSurface(const GXDrawingSurface& other)
    : SurfaceDescription(other), pixels(other.pixels) {
    KeepSelfLink(other.firstFrame == &other);
}

GXDrawingSurface& GXDrawingSurface::operator=(const GXDrawingSurface& other) {
    if (this == &other) return *this;
    const bool ownFirst = other.firstFrame == &other;
    SurfaceDescription::operator=(other);
    pixels = other.pixels;
    rotationSet.clear();  // last: `other` may be one of its members
    KeepSelfLink(ownFirst);
    return *this;
}

GXDrawingSurface::GXDrawingSurface(GXDrawingSurface&& other) noexcept
    : SurfaceDescription(std::move(other)),
      pixels(std::move(other.pixels)),
      rotationSet(std::move(other.rotationSet)) {
    KeepSelfLink(other.firstFrame == &other);
}

GXDrawingSurface& GXDrawingSurface::operator=(GXDrawingSurface&& other) noexcept {
    if (this == &other) return *this;
    const bool ownFirst = other.firstFrame == &other;
    SurfaceDescription::operator=(std::move(other));
    pixels = std::move(other.pixels);
    rotationSet = std::move(other.rotationSet);
    KeepSelfLink(ownFirst);
    return *this;
}

void GXDrawingSurface::TakePicture(GXDrawingSurface&& picture) {
    fileHeader = picture.fileHeader;
    infoHeader = picture.infoHeader;
    palette = std::move(picture.palette);
    pixels = std::move(picture.pixels);
}

std::span<std::uint8_t> GXDrawingSurface::Row(int storageRow) {
    const std::size_t stride = Stride();
    return std::span(pixels).subspan(static_cast<std::size_t>(storageRow) * stride, stride);
}

std::span<const std::uint8_t> GXDrawingSurface::Row(int storageRow) const {
    const std::size_t stride = Stride();
    return std::span(pixels).subspan(static_cast<std::size_t>(storageRow) * stride, stride);
}

std::uint32_t GXDrawingSurface::PaletteLength() const {
    if (Depth() > 8 || Depth() <= 0) return 0;
    return infoHeader.coloursUsed != 0 ? infoHeader.coloursUsed : 1u << Depth();
}

void GXDrawingSurface::Create(int depth, int width, int height) {
    *this = GXDrawingSurface();
    const std::uint32_t entries = depth <= 8 ? 1u << depth : 0;
    infoHeader.size = kInfoHeaderBytes;
    infoHeader.width = width;
    infoHeader.height = height;
    infoHeader.planes = 1;
    infoHeader.bitCount = static_cast<std::uint16_t>(depth);
    infoHeader.imageSize = ImageBytes();
    infoHeader.coloursUsed = entries >= 256 ? 0 : entries;
    palette.assign(entries, PaletteEntry{});
    pixels.assign(infoHeader.imageSize, 0);
    fileHeader.type = kBitmapType;
    fileHeader.size = static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + 4 * entries +
                                                 infoHeader.imageSize);
    fileHeader.pixelOffset = fileHeader.size - infoHeader.imageSize;
    firstFrame = this;
}

GXDrawingSurface* GXDrawingSurface::AppendCopy(FrameList& list) const {
    auto copy = std::make_unique<GXDrawingSurface>(*this);
    copy->nextFrame = nullptr;
    if (!list.empty()) list.back()->nextFrame = copy.get();
    list.push_back(std::move(copy));
    return list.back().get();
}

bool GXDrawingSurface::FromPackedDib(std::span<const std::uint8_t> block, std::string_view newName) {
    auto u16 = [&](std::size_t at) { return std::uint16_t(block[at] | block[at + 1] << 8); };
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(block[at]) | std::uint32_t(block[at + 1]) << 8 |
               std::uint32_t(block[at + 2]) << 16 | std::uint32_t(block[at + 3]) << 24;
    };
    if (block.size() < kInfoHeaderBytes || u32(0) != kInfoHeaderBytes) return false;
    BitmapInfoHeader header;
    header.size = u32(0);
    header.width = static_cast<std::int32_t>(u32(4));
    header.height = static_cast<std::int32_t>(u32(8));
    header.planes = u16(12);
    header.bitCount = u16(14);
    header.compression = u32(16);
    header.imageSize = u32(20);
    header.xPelsPerMeter = static_cast<std::int32_t>(u32(24));
    header.yPelsPerMeter = static_cast<std::int32_t>(u32(28));
    header.coloursUsed = u32(32);
    header.coloursImportant = u32(36);
    const int depth = header.bitCount;
    if (header.compression != 0 || header.width <= 0 || header.height <= 0 ||
        header.width > 32768 || header.height > 32768 || StrideFor(depth, header.width) == 0)
        return false;
    const std::uint64_t entries =
        depth <= 8 ? (header.coloursUsed != 0 ? header.coloursUsed : 1u << depth) : 0;
    if (entries > 256) return false;
    const std::uint64_t imageBytes = std::uint64_t(StrideFor(depth, header.width)) * header.height;
    if (kInfoHeaderBytes + 4 * entries + imageBytes > block.size()) return false;

    Create(depth, header.width, header.height);
    infoHeader = header;
    infoHeader.imageSize = static_cast<std::uint32_t>(imageBytes);
    palette.resize(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const auto* e = block.data() + kInfoHeaderBytes + 4 * i;
        palette[i] = {e[0], e[1], e[2], e[3]};
    }
    const auto* first = block.data() + kInfoHeaderBytes + 4 * entries;
    std::copy(first, first + imageBytes, pixels.begin());
    fileHeader.size = static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + 4 * entries +
                                                 imageBytes);
    fileHeader.pixelOffset = fileHeader.size - infoHeader.imageSize;
    name = std::string(newName);
    return true;
}

void GXDrawingSurface::MakeRotationSet(int largestSide) {
    rotationSet.clear();
    const GXDrawingSurface* source = this;
    GXDrawingSurface smaller;
    const PictureSize size = SizeWithin({Width(), Height()}, largestSide > 0 ? largestSide : std::max(Width(), Height()));
    if (size != PictureSize{Width(), Height()}) {
        smaller = *this;
        NullReportSink quiet;
        smaller.Scale(size.width, size.height, quiet);
        source = &smaller;
    }
    std::vector<GXDrawingSurface> set(16);
    for (int k = 0; k < 16; ++k) {
        set[k] = *source;
        set[k].Rotate(22 * k, Program::Viewer);
    }
    rotationSet = std::move(set);
}

GXDrawingSurface* FindByName(const FrameList& list, std::string_view name) {
    for (const auto& surface : list)
        if (surface->name == name) return surface.get();
    return nullptr;
}

void FreeList(FrameList& list) {
    for (auto& surface : list) surface.reset();
    list.clear();
}

void NumberFrames(FrameList& list) {
    auto start = std::find_if(list.begin(), list.end(), [](const auto& s) { return s->frameCount == 0; });
    if (start == list.end()) return;
    GXDrawingSurface* head = start->get();
    const auto count = static_cast<std::int32_t>(list.end() - start);
    std::int32_t index = 0;
    for (auto it = start; it != list.end(); ++it, ++index) {
        (*it)->firstFrame = head;
        (*it)->frameIndex = index;
        (*it)->frameCount = count;
    }
}

std::vector<const GXDrawingSurface*> ActorFrames(const GXDrawingSurface& first) {
    std::vector<const GXDrawingSurface*> frames{&first};
    for (const GXDrawingSurface* f = first.nextFrame; f != nullptr && f->firstFrame == &first;
         f = f->nextFrame)
        frames.push_back(f);
    return frames;
}

}  // namespace orb
