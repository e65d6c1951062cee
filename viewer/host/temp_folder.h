// A private folder for the sound files the players read, made with mkdtemp under
// $TMPDIR (or /tmp) and removed with everything in it when the object goes.
#pragma once
#include <filesystem>

namespace orb::host {

class TempFolder {
public:
    TempFolder();  // Path() is empty when no folder could be made
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace orb::host
