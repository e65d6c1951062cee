// Whole-file reading and safe whole-file writing.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orb {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// Writes a temporary file beside `path` and renames it over `path` only once it is
// complete, so a failed write never destroys what was there. On failure returns
// false, leaves `path` as it was and removes the temporary file; `error` tells why.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);

}  // namespace orb
