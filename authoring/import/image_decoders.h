// Our own picture decoders: JPEG, PNG, Targa and GIF through stb_image, PCX and
// binary CGM of our own. Each in-memory decoder returns a code of image_codes.h and,
// on success, a 24-bit PackedImage with the pixels' own colours; a picture that is
// not opaque everywhere (PNG, Targa and GIF can say so) carries its opacity plane
// too. The file readers (ReadImageFile, ReadPicture) show such pictures on white.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "packed_image.h"

namespace orb {

std::uint32_t DecodeJpeg(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodePng(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
// Whether a PNG's chunks lie inside the file and its data is long enough to inflate
// to the pixels its header promises; DecodePng refuses others before the library
// sets memory aside by their word.
bool PngHoldsItsPixels(std::span<const std::uint8_t> bytes);
std::uint32_t DecodeTarga(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodePcx(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodeCgm(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);

// A GIF's frames as the file composes them (each drawn over the picture so far,
// then left, cleared or undone as it says), every one the size of the whole
// picture. All frames: more than kMaxAnimationFrames give kImageTooManyFrames.
enum class GifFrames { First, All };
std::uint32_t DecodeGif(std::span<const std::uint8_t> bytes, std::vector<PackedImage>& frames, GifFrames which);
// The first frame alone, for uses that take one picture.
std::uint32_t DecodeGifStill(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);

// The decoder library's five entry points, with their argument roles: a progress
// callback (ignored), a reserved number, the path and the output block(s). The second
// block of Targa and PNG is never filled; the PNG option word is accepted and ignored.
using DecoderProgress = int (*)(int, int);

std::uint32_t JFFReadJPG(DecoderProgress progress, long reserved, const std::string& path,
                         std::optional<PackedImage>& block);
std::uint32_t JFFReadPCX(DecoderProgress progress, long reserved, const std::string& path,
                         std::optional<PackedImage>& block);
std::uint32_t JFFReadCGM(DecoderProgress progress, long reserved, const std::string& path,
                         std::optional<PackedImage>& block);
std::uint32_t JFFReadTGA(DecoderProgress progress, long reserved, const std::string& path,
                         std::optional<PackedImage>& block, std::optional<PackedImage>& second);
std::uint32_t JFFReadPNG(DecoderProgress progress, long reserved, const std::string& path,
                         std::optional<PackedImage>& block, std::optional<PackedImage>& second,
                         std::uint16_t* option);

// The progress callback the readers pass: ignores its arguments and answers 0.
int PreviewProgress(int, int);

}  // namespace orb
