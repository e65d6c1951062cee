#include "status.h"

#include <cstdarg>
#include <cstdio>

namespace orb {

std::string ALFormat(const char* format, ...) {
    char text[ALStatus::kDetailCapacity + 1];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

int ALStatus::Set(int code, std::string detail) {
    code_ = code;
    if (detail.size() > kDetailCapacity) detail.resize(kDetailCapacity);
    detail_ = std::move(detail);
    return code_;
}

std::string ALStatus::Text() const {
    if (code_ == AL_SUCCESS) return "No errors";
    if (detail_.empty()) return "Unable to allocate memory for error detail message";
    return detail_;
}

}  // namespace orb
