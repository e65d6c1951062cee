// WriteProject: saves the authoring program's current project as a plain project
// file, embedding every sound, picture and actor it names.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/formats/project_file.h"
#include "common/imaging/drawing_surface.h"
#include "common/report.h"

namespace orb {

enum class ImageReadStatus { Ok, UnknownFormat, Corrupt };

// Reads a picture file of any format the caller supports and gives back the
// stored form: one complete BMP file.
using ProjectImageReader =
    std::function<ImageReadStatus(const std::string& path, std::vector<std::uint8_t>& bitmap)>;

// The default reader: BMP files through the bitmap reader; anything else is an
// unknown format.
ImageReadStatus ReadBmpForProject(const std::string& path, std::vector<std::uint8_t>& bitmap);

// What the project dialog holds.
struct ProjectContent {
    std::int32_t eraser = 0;
    std::array<std::string, kSoundSlots> soundPaths;  // in SoundSlot order
    std::int32_t loopMusic = 0;
    std::string backdropPath;
    bool useBackdropImage = false;
    std::string bannerPath;
    ProjectSettings settings;
    std::vector<const GXDrawingSurface*> actors;  // the first frame of each actor
};

// The project as it will be stored, reading sounds and pictures from disk and
// reporting (information) each one that is missing or unreadable. Never fails:
// what is absent is marked absent.
ProjectFile BuildProject(const ProjectContent& content, ReportSink& sink,
                         const ProjectImageReader& readImage = ReadBmpForProject);

// Builds the project and writes it to `path`: beside it first, then renamed over
// the old file, so a failed save keeps the previous project. On failure reports
// "Unable to open output project file" with the path and returns false.
bool WriteProject(const std::filesystem::path& path, const ProjectContent& content, ReportSink& sink,
                  const ProjectImageReader& readImage = ReadBmpForProject);

}  // namespace orb
