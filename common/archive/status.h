// The status every archive object carries: a code (0 = fine, negative = error) and
// a detail text saying what went wrong and where.
#pragma once
#include <string>

namespace orb {

enum ALStatusCode : int {
    AL_SUCCESS = 0,
    AL_NEED_DECRYPTION = -1174,
    AL_NOT_A_ZIP = -1180,
    AL_CRC_ERROR = -1184,
    AL_DELETE_ERROR = -1191,
    AL_WRITE_ERROR = -1192,
    AL_READ_ERROR = -1193,
    AL_SEEK_ERROR = -1194,
    AL_OPEN_ERROR = -1195,
    AL_RENAME_ERROR = -1196,
    AL_MISSING_OBJECT = -1197,
    AL_MISSING_ENGINE = -1198,
    AL_CANT_CREATE_ENTRY = -1199,
};

// printf-style formatting into a std::string (detail texts are built this way).
std::string ALFormat(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

class ALStatus {
public:
    // Longer details are cut to this many characters.
    static constexpr std::size_t kDetailCapacity = 511;

    int Code() const { return code_; }
    bool Failed() const { return code_ < 0; }
    // Records an error (the first one sticks only if the caller checks; a later
    // call replaces it) and returns its code, so callers can `return status.Set(...)`.
    int Set(int code, std::string detail);
    // The detail, or "No errors" when there is no error.
    std::string Text() const;

private:
    int code_ = AL_SUCCESS;
    std::string detail_;
};

}  // namespace orb
