#include "member_name.h"

namespace orb {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

std::string StripPath(std::string_view name) {
    std::size_t cut = name.rfind('\\');
    if (cut == std::string_view::npos) cut = name.rfind('/');
    if (cut == std::string_view::npos) cut = name.rfind(':');
    return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

std::string MemberNameForFile(std::string_view path, bool stripPaths) {
    if (stripPaths) return StripPath(path);
    if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
    while (!path.empty() && IsSeparator(path.front())) path.remove_prefix(1);
    std::string name(path);
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

std::optional<MemberPath> SafeMemberPath(std::string_view name) {
    if (name.empty() || IsSeparator(name.front())) return std::nullopt;
    MemberPath result;
    result.directory = IsSeparator(name.back());
    std::size_t start = 0;
    while (start < name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        std::string_view part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        for (char c : part)
            if (static_cast<unsigned char>(c) < 0x20 || c == ':') return std::nullopt;
        // Windows drops trailing dots and spaces, so "..." and ".. " mean "..".
        std::size_t kept = part.find_last_not_of(". ");
        if (part == ".." || kept == std::string_view::npos) return std::nullopt;
        result.relative /= std::string(part);
    }
    if (result.relative.empty()) return std::nullopt;
    return result;
}

}  // namespace orb
