// Reading AVI clips through the system's AVI file services: clip information,
// one preview frame, or n frames sampled evenly over the clip.
#pragma once
#include <windows.h>
#include <vfw.h>

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

// The system's AVI file services as ReadAviClip calls them; tests stand in for
// clips and failures that no file makes the system produce.
struct AviServices {
    void(WINAPI* init)();
    void(WINAPI* exit)();
    HRESULT(WINAPI* open)(PAVIFILE*, LPCSTR, UINT, LPCLSID);
    HRESULT(WINAPI* fileInfo)(PAVIFILE, LPAVIFILEINFOA, LONG);
    HRESULT(WINAPI* getStream)(PAVIFILE, PAVISTREAM*, DWORD, LONG);
    HRESULT(WINAPI* streamInfo)(PAVISTREAM, LPAVISTREAMINFOA, LONG);
    LONG(WINAPI* streamStart)(PAVISTREAM);
    LONG(WINAPI* streamLength)(PAVISTREAM);
    HRESULT(WINAPI* read)(PAVISTREAM, LONG, LONG, LPVOID, LONG, LONG*, LONG*);
    PGETFRAME(WINAPI* frameOpen)(PAVISTREAM, LPBITMAPINFOHEADER);
    LPVOID(WINAPI* frame)(PGETFRAME, LONG);
    HRESULT(WINAPI* frameClose)(PGETFRAME);
    ULONG(WINAPI* fileRelease)(PAVIFILE);
    ULONG(WINAPI* streamRelease)(PAVISTREAM);
};
const AviServices& SystemAvi();

// Information: fills `clip` only (n and `frames` unused). Preview: reads the one
// frame at position n. Import: reads n frames sampled evenly. Frames are appended
// to `frames` at the clip's own depth, named "<path less 4 chars><position>.bmp".
// Every failure is reported with the clip's path; the answer is then false and
// the frames already read stay in `frames`.
bool ReadAviClip(AviClip& clip, const std::string& path, int n, FrameList* frames, AviRead mode, HWND owner,
                 const AviServices& avi = SystemAvi());

// The sample positions of an import of n frames: trunc(k x (start + length - 1) / n).
std::int32_t AviSamplePosition(int k, int n, std::int32_t start, std::int32_t length);

// The "Import AVI Actor" dialog (template 106). True on OK with the chosen
// frame count, width and height.
bool RunAviImportDialog(HWND owner, const AviClip& clip, int& frames, int& width, int& height);

}  // namespace orb
