// Reading and writing Windows bitmap (BMP) data: stand-alone files and pictures
// embedded in project and actor files (a length-prefixed name followed by a
// complete BMP). Every size in the data is checked before it is used.
#pragma once
#include <filesystem>
#include <string_view>

#include "common/imaging/drawing_surface.h"
#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"
#include "common/report.h"

namespace orb {

// Reads one BMP starting at the reader's position p0 (all offsets relative to it)
// and leaves the reader right after its pixel bytes, so embedded pictures can be
// followed by more data. On success appends the picture to `list` under `name`,
// converts it to 24 bits and returns it. On failure reports through `sink` (with
// `name` as subject), adds nothing and returns none; the reader's position is then
// unspecified and the caller must stop reading. A pixel area shorter than its
// header says is loaded with the information "BMP file may be incomplete (loaded
// it anyway)".
GXDrawingSurface* LoadBmp(ByteReader& reader, FrameList& list, std::string_view name,
                          ReportSink& sink, Program program = Program::Viewer);

// The same checks and reads as LoadBmp; the picture is discarded. True on success.
bool SkipBmp(ByteReader& reader, std::string_view name, ReportSink& sink);

// Reads a 32-bit length L, L bytes of name (up to its first zero byte), then the
// BMP under that name.
GXDrawingSurface* LoadEmbeddedBmp(ByteReader& reader, FrameList& list, ReportSink& sink,
                                  Program program = Program::Viewer);

// Authoring: when `list` already holds a surface named `path`, reports the
// information "This object has already been loaded" and returns it; otherwise
// reads the file ("Unable to open file: file may be corrupt or in use by another
// application" when it cannot be read) with LoadBmp under the path as name.
GXDrawingSurface* LoadBmpFile(const std::filesystem::path& path, FrameList& list, ReportSink& sink,
                              Program program = Program::Authoring);

// Writes the surface as one complete BMP: headers as held, the palette for depths
// up to 8 (PaletteLength() entries), then image-size bytes of pixels.
void SaveBmp(const GXDrawingSurface& surface, ByteWriter& writer);
// Writes the embedded form: 32-bit length (name length + 1), the name and its
// zero byte, then the BMP.
void SaveEmbeddedBmp(const GXDrawingSurface& surface, ByteWriter& writer, std::string_view name);
// Writes the BMP file at `path` atomically. On failure reports the error "Unable
// to open output file" with the path and returns false.
bool SaveBmpFile(const GXDrawingSurface& surface, const std::filesystem::path& path,
                 ReportSink& sink);

}  // namespace orb
