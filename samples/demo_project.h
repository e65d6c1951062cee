// Assembles the demo project: turns the drawn art into actor frames and pictures,
// writes the sound and picture files it names, and writes the project file.
#pragma once
#include <filesystem>

#include "common/imaging/drawing_surface.h"
#include "samples/picture.h"

namespace orb::samples {

// A 24-bit surface holding the picture (rows bottom-up, blue, green, red).
GXDrawingSurface ToSurface(const Picture& picture, std::string_view name);

// Writes "demo.apj" and the files it was made from ("demo.mid", "bounce.wav",
// "create.wav", "destroy.wav", "backdrop.bmp", "banner.bmp") into `folder`.
// The project embeds everything, so it plays anywhere on its own. False with a
// message on the standard error stream when a file cannot be written.
bool WriteDemoProject(const std::filesystem::path& folder);

}  // namespace orb::samples
