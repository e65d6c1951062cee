// Our own picture decoders: JPEG, PNG and Targa through stb_image, PCX and binary CGM
// of our own. Each in-memory decoder returns a code of image_codes.h and, on success,
// a 24-bit PackedImage. Pixels that a picture marks as fully transparent come out
// pure white, the transparent colour of every Orbellan picture; partial alpha is
// blended over white.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "packed_image.h"

namespace orb {

std::uint32_t DecodeJpeg(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodePng(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodeTarga(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodePcx(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);
std::uint32_t DecodeCgm(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);

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
