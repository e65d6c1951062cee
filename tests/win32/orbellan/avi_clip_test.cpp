// Reading AVI clips over stand-in AVI services: the clip facts shown in the
// import dialog, where the samples are taken, and every message a clip that
// cannot be read gives, with the frames read before the failure kept.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "authoring/win32/avi_clip.h"

namespace orb {
namespace {

constexpr HRESULT kOtherFailure = static_cast<HRESULT>(0x80004005);
constexpr char kPath[] = "C:\\clip.avi";

// What the stand-in services answer. A failing read or frame can be held back
// until sample `failAt` (counted from 1), so earlier samples succeed.
struct Clip {
    HRESULT open = 0;
    bool file = true;
    HRESULT fileInfo = 0;
    DWORD rate = 15, scale = 1, length = 100, width = 4, height = 2, caps = 0;
    HRESULT getStream = 0;
    bool stream = true;
    HRESULT streamInfo = 0;
    DWORD streamType = streamtypeVIDEO;
    LONG start = 0;
    int failAt = 1;
    HRESULT sizeQuery = 0;
    LONG bytes = 24, samples = 1;
    HRESULT read = 0;
    bool decoder = true;
    bool frame = true;
    WORD bits = 24;
};
Clip clip;
std::vector<LONG> framesAsked;
int sample = 0;  // the sample being read, from 1
bool Failing() { return sample >= clip.failAt; }

// Stand-in handles: never dereferenced, only handed back.
template <class Handle>
Handle Fake() {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(0x1000));
}

void WINAPI Nothing() {}
HRESULT WINAPI Open(PAVIFILE* file, LPCSTR, UINT, LPCLSID) {
    *file = clip.file ? Fake<PAVIFILE>() : nullptr;
    return clip.open;
}
HRESULT WINAPI FileInfo(PAVIFILE, LPAVIFILEINFOA info, LONG) {
    info->dwRate = clip.rate;
    info->dwScale = clip.scale;
    info->dwLength = clip.length;
    info->dwWidth = clip.width;
    info->dwHeight = clip.height;
    info->dwCaps = clip.caps;
    lstrcpyA(info->szFileType, "AVI: clip");
    return clip.fileInfo;
}
HRESULT WINAPI GetStream(PAVIFILE, PAVISTREAM* stream, DWORD, LONG) {
    *stream = clip.stream ? Fake<PAVISTREAM>() : nullptr;
    return clip.getStream;
}
HRESULT WINAPI StreamInfo(PAVISTREAM, LPAVISTREAMINFOA info, LONG) {
    info->fccType = clip.streamType;
    return clip.streamInfo;
}
LONG WINAPI Start(PAVISTREAM) { return clip.start; }
LONG WINAPI Length(PAVISTREAM) { return static_cast<LONG>(clip.length); }
HRESULT WINAPI Read(PAVISTREAM, LONG, LONG, LPVOID buffer, LONG, LONG* bytes, LONG* samples) {
    if (!buffer) {
        ++sample;
        *bytes = Failing() ? clip.bytes : 24;
        *samples = Failing() ? clip.samples : 1;
        return Failing() ? clip.sizeQuery : 0;
    }
    return Failing() ? clip.read : 0;
}
PGETFRAME WINAPI FrameOpen(PAVISTREAM, LPBITMAPINFOHEADER) {
    return clip.decoder || !Failing() ? Fake<PGETFRAME>() : nullptr;
}
// A 4 x 2 frame of the asked depth: header, then (zeroed) colour table and rows.
LPVOID WINAPI Frame(PGETFRAME, LONG position) {
    static std::vector<std::uint8_t> block;
    framesAsked.push_back(position);
    if (!clip.frame && Failing()) return nullptr;
    block.assign(2048, 0);
    BITMAPINFOHEADER header{sizeof header, 4, 2, 1, Failing() ? clip.bits : WORD(24), BI_RGB, 0, 0, 0, 0, 0};
    std::memcpy(block.data(), &header, sizeof header);
    return block.data();
}
HRESULT WINAPI FrameClose(PGETFRAME) { return 0; }
ULONG WINAPI Release(PAVIFILE) { return 0; }
ULONG WINAPI ReleaseStream(PAVISTREAM) { return 0; }

const AviServices kStandIn{Nothing, Nothing, Open,      FileInfo,   GetStream, StreamInfo, Start,
                           Length,  Read,    FrameOpen, Frame,      FrameClose, Release,   ReleaseStream};

// Reports go to a log file instead of boxes; the text of every box shown.
class AviClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        clip = Clip{};
        framesAsked.clear();
        sample = 0;
        char temp[MAX_PATH + 1];
        GetTempPathA(sizeof temp, temp);
        log_ = std::string(temp) + "orb_avi_reports.txt";
        DeleteFileA(log_.c_str());
        _putenv(("ORB_REPORT_LOG=" + log_).c_str());
    }
    void TearDown() override {
        _putenv("ORB_REPORT_LOG=");
        DeleteFileA(log_.c_str());
    }
    std::string Reports() const {
        std::string text;
        if (std::FILE* in = std::fopen(log_.c_str(), "rb")) {
            char buffer[512];
            text.assign(buffer, std::fread(buffer, 1, sizeof buffer, in));
            std::fclose(in);
        }
        return text;
    }
    bool Import(int n, FrameList& frames) {
        AviClip facts;
        return ReadAviClip(facts, kPath, n, &frames, AviRead::Import, nullptr, kStandIn);
    }
    std::string log_;
};

// Rate / scale rounded, halves up; duration = length / rate in whole seconds.
TEST_F(AviClipTest, TheClipFactsShownBeforeImport) {
    const struct {
        DWORD rate, scale, length;
        std::int32_t frameRate, duration;
    } cases[] = {
        {15, 1, 100, 15, 6},        // 100 / 15 = 6.67 -> 6 s
        {30000, 1001, 300, 30, 10}, // 29.97 -> 30; 300 / 30 = 10 s
        {25, 2, 100, 13, 7},        // 12.5 -> 13; 100 / 13 = 7.7 -> 7 s
    };
    for (const auto& c : cases) {
        clip.rate = c.rate, clip.scale = c.scale, clip.length = c.length;
        AviClip facts;
        ASSERT_TRUE(ReadAviClip(facts, kPath, 0, nullptr, AviRead::Information, nullptr, kStandIn));
        EXPECT_EQ(facts.frameRate, c.frameRate) << c.rate << "/" << c.scale;
        EXPECT_EQ(facts.duration, c.duration) << c.rate << "/" << c.scale;
        EXPECT_EQ(facts.length, static_cast<std::int32_t>(c.length));
        EXPECT_EQ(facts.width, 4);
        EXPECT_EQ(facts.fileType, "AVI: clip");
        EXPECT_TRUE(facts.needsDecompression);
        EXPECT_TRUE(facts.hasVideo);
    }
    EXPECT_TRUE(framesAsked.empty());
    EXPECT_EQ(Reports(), "");
}

TEST_F(AviClipTest, AClipWithoutVideoIsOnlyNotedForInformation) {
    clip.getStream = AVIERR_NODATA;
    clip.stream = false;
    AviClip facts;
    EXPECT_TRUE(ReadAviClip(facts, kPath, 0, nullptr, AviRead::Information, nullptr, kStandIn));
    EXPECT_FALSE(facts.hasVideo);
    EXPECT_EQ(Reports(), "");
}

// Sample k of n at trunc(k x (start + length - 1) / n), named after its position.
TEST_F(AviClipTest, SamplesAreSpreadEvenlyOverTheClip) {
    const struct {
        LONG start;
        DWORD length;
        int n;
        std::vector<LONG> positions;
    } cases[] = {
        {0, 100, 10, {0, 9, 19, 29, 39, 49, 59, 69, 79, 89}},  // step 99 / 10 = 9.9
        {0, 10, 4, {0, 2, 4, 6}},                              // step 9 / 4 = 2.25
        {0, 100, 1, {0}},                                      // one frame: position 0 only
        {5, 20, 3, {0, 8, 16}},                                // last 24, step 8
    };
    for (const auto& c : cases) {
        clip.start = c.start, clip.length = c.length;
        framesAsked.clear();
        FrameList frames;
        ASSERT_TRUE(Import(c.n, frames));
        EXPECT_EQ(framesAsked, c.positions) << c.length << " frames, " << c.n << " asked";
        ASSERT_EQ(frames.size(), c.positions.size());
        EXPECT_EQ(frames.back()->name, "C:\\clip" + std::to_string(c.positions.back()) + ".bmp");
        EXPECT_EQ(frames.back()->Width(), 4);
    }
}

// The preview reads the one frame it is given: min(100 / 2, 8) = 8 for 100 frames.
TEST_F(AviClipTest, ThePreviewReadsOneFrameAtItsPosition) {
    AviClip facts;
    FrameList frames;
    ASSERT_TRUE(ReadAviClip(facts, kPath, 8, &frames, AviRead::Preview, nullptr, kStandIn));
    EXPECT_EQ(framesAsked, std::vector<LONG>{8});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->name, "C:\\clip8.bmp");
}

// Every failure's box, for an import of 3 frames of a 100-frame clip (samples at
// 0, 33, 66). Reading failures strike at the second sample, so the first frame
// stays read.
TEST_F(AviClipTest, EveryFailureSaysWhatWentWrong) {
    const struct {
        const char* report;
        void (*arrange)(Clip&);
        std::size_t framesKept;
    } cases[] = {
        {"Error: Corrupt file or unrecognised format", [](Clip& c) { c.open = AVIERR_BADFORMAT; }, 0},
        {"Error: Insufficient memory to open file", [](Clip& c) { c.open = AVIERR_MEMORY; }, 0},
        {"Error: No handler exists to process this AVI file", [](Clip& c) { c.open = REGDB_E_CLASSNOTREG; }, 0},
        {"Error: Error occurred while trying to open AVI file", [](Clip& c) { c.open = kOtherFailure; }, 0},
        {"Error: File is not a recognised AVI format", [](Clip& c) { c.file = false; }, 0},
        {"Error: Unspecified error while reading AVI file information", [](Clip& c) { c.fileInfo = kOtherFailure; }, 0},
        {"Error: Insufficient memory to load video data", [](Clip& c) { c.getStream = AVIERR_MEMORY; }, 0},
        {"Error: Stream does not contain video data", [](Clip& c) { c.getStream = AVIERR_NODATA, c.stream = false; }, 0},
        {"Error: Stream does not contain video data", [](Clip& c) { c.streamType = streamtypeAUDIO; }, 0},
        {"Error: Error reading AVI file", [](Clip& c) { c.getStream = AVIERR_FILEREAD; }, 0},
        {"Error: Error reading AVI file", [](Clip& c) { c.sizeQuery = AVIERR_FILEREAD, c.failAt = 2; }, 1},
        {"Information: AVIStreamRead reported no samples read: stream is empty? or ended?",
         [](Clip& c) { c.samples = 0, c.failAt = 2; }, 1},
        {"Error: Corrupt AVI frame retrieved from stream (case 1); aborting",
         [](Clip& c) { c.bytes = 0, c.failAt = 2; }, 1},
        {"Error: Error reading AVI file, frame 33 of 99\n", [](Clip& c) { c.read = AVIERR_FILEREAD, c.failAt = 2; }, 1},
        {"Error: Insufficient memory for frame", [](Clip& c) { c.read = AVIERR_MEMORY, c.failAt = 2; }, 1},
        {"Error: Unable to locate a decompressor for the specified output bitmap",
         [](Clip& c) { c.decoder = false, c.failAt = 2; }, 1},
        {"Error: AVI frame decompression failed: unknown cause", [](Clip& c) { c.frame = false, c.failAt = 2; }, 1},
        {"Error: Corrupt AVI frame retrieved from stream (case 2); aborting",
         [](Clip& c) { c.bits = 0, c.failAt = 2; }, 1},
        {"Error: Orbellan does not support 32bit AVI frames", [](Clip& c) { c.bits = 32, c.failAt = 2; }, 1},
        {"Error: AVI frame corrupt or unsupported bit depth; aborting", [](Clip& c) { c.bits = 15, c.failAt = 2; }, 1},
    };
    for (const auto& c : cases) {
        clip = Clip{};
        c.arrange(clip);
        sample = 0;
        DeleteFileA(log_.c_str());
        FrameList frames;
        EXPECT_FALSE(Import(3, frames)) << c.report;
        EXPECT_EQ(Reports(), std::string(c.report) + " (C:\\clip.avi)\n");
        EXPECT_EQ(frames.size(), c.framesKept) << c.report;
    }
}

// The depths a frame may have: 1, 2, 4, 8, 16 and 24 bits per pixel.
TEST_F(AviClipTest, EveryAcceptedDepthIsRead) {
    for (WORD bits : {1, 2, 4, 8, 16, 24}) {
        clip.bits = bits;
        sample = 0;
        FrameList frames;
        EXPECT_TRUE(Import(1, frames)) << bits;
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0]->Depth(), bits);
    }
    EXPECT_EQ(Reports(), "");
}

}  // namespace
}  // namespace orb
