// Reading AVI clips through the system's AVI file services: clip information,
// one preview frame, or n frames sampled evenly over the clip.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "common/imaging/drawing_surface.h"

namespace orb {

struct AviClip {
    std::string path;
    std::string fileType;
    bool needsDecompression = true;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t frameRate = 0;  // rate / scale rounded, halves up
    std::int32_t length = 0;     // frames
    std::int32_t duration = 0;   // whole seconds
    bool hasVideo = true;
};

enum class AviRead { Information, Preview, Import };

// Information: fills `clip` only (n and `frames` unused). Preview: reads the one
// frame at position n. Import: reads n frames sampled evenly. Frames are appended
// to `frames` at the clip's own depth, named "<path less 4 chars><position>.bmp".
// Every failure is reported with the clip's path; the answer is then false and
// the frames already read stay in `frames`.
bool ReadAviClip(AviClip& clip, const std::string& path, int n, FrameList* frames, AviRead mode, HWND owner);

// The sample positions of an import of n frames: trunc(k x (start + length - 1) / n).
std::int32_t AviSamplePosition(int k, int n, std::int32_t start, std::int32_t length);

// The "Import AVI Actor" dialog (template 106). True on OK with the chosen
// frame count, width and height.
bool RunAviImportDialog(HWND owner, const AviClip& clip, int& frames, int& width, int& height);

}  // namespace orb
