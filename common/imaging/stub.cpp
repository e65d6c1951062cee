// Temporary bodies so the API links while the implementation lands.
#include "common/imaging/bmp.h"
#include "common/imaging/fixed_palette.h"

namespace orb {
std::uint32_t StrideFor(int, std::int64_t) { return 0; }
std::span<std::uint8_t> GXDrawingSurface::Row(int) { return {}; }
std::span<const std::uint8_t> GXDrawingSurface::Row(int) const { return {}; }
std::uint32_t GXDrawingSurface::PaletteLength() const { return 0; }
void GXDrawingSurface::Create(int, int, int) {}
void GXDrawingSurface::CopyTo(GXDrawingSurface&) const {}
GXDrawingSurface* GXDrawingSurface::AppendCopy(FrameList&) const { return nullptr; }
bool GXDrawingSurface::FromPackedDib(std::span<const std::uint8_t>, std::string_view) { return false; }
bool GXDrawingSurface::Paste(GXDrawingSurface&, int, int) const { return false; }
void GXDrawingSurface::Fill(std::uint8_t, std::uint8_t, std::uint8_t) {}
void GXDrawingSurface::PaintTransparent(std::uint32_t, std::uint32_t) {}
OpaqueBounds GXDrawingSurface::FindOpaqueBounds() const { return {}; }
bool GXDrawingSurface::ConvertTo24(Program, ReportSink&) { return false; }
void GXDrawingSurface::ConvertTo8(Program) {}
void GXDrawingSurface::ConvertTo8Keyed(Program) {}
void GXDrawingSurface::ApplyColourKey(int, Program) {}
bool GXDrawingSurface::Scale(int, int, ReportSink&) { return false; }
bool GXDrawingSurface::FlipHorizontal(Program, ReportSink&) { return false; }
bool GXDrawingSurface::FlipVertical(Program, ReportSink&) { return false; }
void GXDrawingSurface::Rotate(int, Program) {}
void GXDrawingSurface::MakeRotationSet() {}
bool GXDrawingSurface::Blt(GXDrawingSurface&, int, int, int, int, int, int, int, ReportSink&) { return false; }
GXDrawingSurface* FindByName(const FrameList&, std::string_view) { return nullptr; }
void FreeList(FrameList& list) { list.clear(); }
void NumberFrames(FrameList&) {}
std::vector<const GXDrawingSurface*> ActorFrames(const GXDrawingSurface&) { return {}; }
const std::array<std::uint8_t, 768>& FixedPaletteRgb() { static const std::array<std::uint8_t, 768> t{}; return t; }
const std::array<PaletteEntry, 256>& FixedPalette(Program) { static const std::array<PaletteEntry, 256> t{}; return t; }
int NearestPaletteIndex(std::uint32_t) { return 0; }
int NearestPaletteIndexAllEntries(std::uint32_t, std::span<const PaletteEntry>) { return 0; }
void DitherTo8(const GXDrawingSurface&, GXDrawingSurface&) {}
GXDrawingSurface* LoadBmp(ByteReader&, FrameList&, std::string_view, ReportSink&, Program) { return nullptr; }
bool SkipBmp(ByteReader&, std::string_view, ReportSink&) { return false; }
GXDrawingSurface* LoadEmbeddedBmp(ByteReader&, FrameList&, ReportSink&, Program) { return nullptr; }
GXDrawingSurface* LoadBmpFile(const std::filesystem::path&, FrameList&, ReportSink&, Program) { return nullptr; }
void SaveBmp(const GXDrawingSurface&, ByteWriter&) {}
void SaveEmbeddedBmp(const GXDrawingSurface&, ByteWriter&, std::string_view) {}
bool SaveBmpFile(const GXDrawingSurface&, const std::filesystem::path&, ReportSink&) { return false; }
}  // namespace orb
