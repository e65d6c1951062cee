// Writes a small uncompressed AVI clip through the system's AVI file services, for
// the import tests: a yellow disc crossing a field, one position per frame. The
// field's blue is 100 + the frame number (modulo 100), so a frame tells where in
// the clip it was taken; green 40, red 20.
// Usage: make_test_clip OUTPUT.avi FRAMES WIDTH HEIGHT RATE[/SCALE] [BITS]
//        make_test_clip OUTPUT.avi audio      (one second of silence, no video)
// BITS is 24 (the default) or 32.
#include <windows.h>
#include <mmreg.h>
#include <vfw.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int WriteAudioOnly(const char* path) {
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    int result = 1;
    if (AVIFileOpenA(&file, path, OF_CREATE | OF_WRITE, nullptr) == 0) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
        AVISTREAMINFOA info{};
        info.fccType = streamtypeAUDIO;
        info.dwScale = 1;
        info.dwRate = 8000;
        info.dwSampleSize = 1;
        std::vector<unsigned char> silence(8000, 128);
        if (AVIFileCreateStreamA(file, &stream, &info) == 0 && AVIStreamSetFormat(stream, 0, &format, sizeof format) == 0 &&
            AVIStreamWrite(stream, 0, 8000, silence.data(), 8000, 0, nullptr, nullptr) == 0)
            result = 0;
    }
    if (stream) AVIStreamRelease(stream);
    if (file) AVIFileRelease(file);
    return result;
}

int WriteVideo(const char* path, int frames, int width, int height, DWORD rate, DWORD scale, WORD bits) {
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    int result = 1;
    if (AVIFileOpenA(&file, path, OF_CREATE | OF_WRITE, nullptr) == 0) {
        const int bytesPerPixel = bits / 8;
        DWORD stride = (static_cast<DWORD>(width) * bytesPerPixel + 3) & ~3u;
        AVISTREAMINFOA info{};
        info.fccType = streamtypeVIDEO;
        info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
        info.dwScale = scale;
        info.dwRate = rate;
        info.dwSuggestedBufferSize = stride * static_cast<DWORD>(height);
        SetRect(&info.rcFrame, 0, 0, width, height);
        BITMAPINFOHEADER format{sizeof format, width, height, 1, bits, BI_RGB, stride * static_cast<DWORD>(height), 0, 0, 0, 0};
        if (AVIFileCreateStreamA(file, &stream, &info) == 0 && AVIStreamSetFormat(stream, 0, &format, sizeof format) == 0) {
            std::vector<unsigned char> pixels(format.biSizeImage);
            result = 0;
            for (int f = 0; f < frames && result == 0; ++f) {
                int cx = width / 6 + (width * 2 / 3) * f / (frames > 1 ? frames - 1 : 1), cy = height / 2;
                int radius = height / 4;
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x) {
                        unsigned char* p = &pixels[static_cast<std::size_t>(y) * stride +
                                                   static_cast<std::size_t>(x) * bytesPerPixel];
                        bool disc = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
                        p[0] = disc ? 0 : static_cast<unsigned char>(100 + f % 100);  // blue
                        p[1] = disc ? 230 : 40;                                         // green
                        p[2] = disc ? 250 : 20;                                         // red
                    }
                if (AVIStreamWrite(stream, f, 1, pixels.data(), static_cast<LONG>(pixels.size()), AVIIF_KEYFRAME, nullptr,
                                   nullptr) != 0)
                    result = 1;
            }
        }
    }
    if (stream) AVIStreamRelease(stream);
    if (file) AVIFileRelease(file);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    bool audio = argc == 3 && std::strcmp(argv[2], "audio") == 0;
    if (!audio && argc != 6 && argc != 7) {
        std::printf("usage: make_test_clip OUTPUT.avi FRAMES WIDTH HEIGHT RATE[/SCALE] [BITS] | OUTPUT.avi audio\n");
        return 2;
    }
    DeleteFileA(argv[1]);
    AVIFileInit();
    int result = 0;
    if (audio) {
        result = WriteAudioOnly(argv[1]);
    } else {
        int frames = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
        char* slash = nullptr;
        long rate = std::strtol(argv[5], &slash, 10);
        long scale = *slash == '/' ? std::strtol(slash + 1, nullptr, 10) : 1;
        int bits = argc == 7 ? std::atoi(argv[6]) : 24;
        if (frames < 1 || width < 8 || height < 8 || width > 1024 || height > 1024 || rate < 1 || scale < 1 ||
            (bits != 24 && bits != 32)) {
            std::printf("make_test_clip: values out of range\n");
            AVIFileExit();
            return 2;
        }
        result = WriteVideo(argv[1], frames, width, height, static_cast<DWORD>(rate), static_cast<DWORD>(scale),
                            static_cast<WORD>(bits));
    }
    AVIFileExit();
    if (result != 0) std::printf("make_test_clip: cannot write %s\n", argv[1]);
    return result;
}
