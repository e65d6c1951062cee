// Member names: what the archive stores for a file, and where a member may go
// when it is extracted.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// The text after the last "\" (else the last "/", else the last ":").
std::string StripPath(std::string_view name);

// The name stored for a file: without a drive ("X:") and without leading
// separators; with `stripPaths` the file's name alone. Separators become "/".
std::string MemberNameForFile(std::string_view path, bool stripPaths);

struct MemberPath {
    std::filesystem::path relative;  // inside the target folder, never above it
    bool directory = false;          // the name ended with a separator
};

// Where a member may be extracted, relative to the target folder; nothing for
// names that could reach outside it or that no file system takes: empty names,
// absolute paths, drive letters or any other ":", ".." parts (with either
// separator, also in Windows' spellings such as ".. " or "..."), control bytes.
std::optional<MemberPath> SafeMemberPath(std::string_view name);

}  // namespace orb
