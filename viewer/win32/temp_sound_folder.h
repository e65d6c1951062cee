// A private folder under the user's temporary directory for the sound files the
// system players read. A saver started by the system often runs in a folder it
// cannot write, so the files do not go to the working directory.
#pragma once
#include <string>
#include <string_view>

namespace orb {

class TempSoundFolder {
public:
    TempSoundFolder() = default;
    ~TempSoundFolder() { Remove(); }
    TempSoundFolder(const TempSoundFolder&) = delete;
    TempSoundFolder& operator=(const TempSoundFolder&) = delete;

    // Makes the folder on first use; returns the full path of name inside it, or
    // an empty string when no folder could be made.
    std::string PathOf(std::string_view name);

    // Deletes every file written through PathOf and the folder itself. Safe to
    // call more than once; the program calls it before every exit.
    void Remove();

    const std::string& Folder() const { return folder_; }

    // Set after a sound file could not be written whole: the user has been told
    // and the saver is ending, so no further file is tried.
    void MarkOutOfSpace() { outOfSpace_ = true; }
    bool OutOfSpace() const { return outOfSpace_; }

private:
    bool Create();

    std::string folder_;
    std::string names_[8];
    int nameCount_ = 0;
    bool outOfSpace_ = false;
};

}  // namespace orb
