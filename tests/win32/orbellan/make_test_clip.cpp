// Writes a small uncompressed AVI clip through the system's AVI file services, for
// the import tests: a yellow disc crossing a blue field, one position per frame.
// Usage: make_test_clip OUTPUT.avi FRAMES WIDTH HEIGHT RATE
#include <windows.h>
#include <vfw.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::printf("usage: make_test_clip OUTPUT.avi FRAMES WIDTH HEIGHT RATE\n");
        return 2;
    }
    int frames = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    int rate = std::atoi(argv[5]);
    if (frames < 1 || width < 8 || height < 8 || width > 1024 || height > 1024 || rate < 1) {
        std::printf("make_test_clip: sizes out of range\n");
        return 2;
    }
    DeleteFileA(argv[1]);
    AVIFileInit();
    int result = 1;
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    if (AVIFileOpenA(&file, argv[1], OF_CREATE | OF_WRITE, nullptr) == 0) {
        DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        AVISTREAMINFOA info{};
        info.fccType = streamtypeVIDEO;
        info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
        info.dwScale = 1;
        info.dwRate = static_cast<DWORD>(rate);
        info.dwSuggestedBufferSize = stride * static_cast<DWORD>(height);
        SetRect(&info.rcFrame, 0, 0, width, height);
        BITMAPINFOHEADER format{sizeof format, width, height, 1, 24, BI_RGB, stride * static_cast<DWORD>(height), 0, 0, 0, 0};
        if (AVIFileCreateStreamA(file, &stream, &info) == 0 && AVIStreamSetFormat(stream, 0, &format, sizeof format) == 0) {
            std::vector<unsigned char> pixels(format.biSizeImage);
            result = 0;
            for (int f = 0; f < frames && result == 0; ++f) {
                int cx = width / 6 + (width * 2 / 3) * f / (frames > 1 ? frames - 1 : 1), cy = height / 2;
                int radius = height / 4;
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x) {
                        unsigned char* p = &pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
                        bool disc = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
                        p[0] = disc ? 0 : 200;    // blue
                        p[1] = disc ? 230 : 40;   // green
                        p[2] = disc ? 250 : 20;   // red
                    }
                if (AVIStreamWrite(stream, f, 1, pixels.data(), static_cast<LONG>(pixels.size()), AVIIF_KEYFRAME, nullptr,
                                   nullptr) != 0)
                    result = 1;
            }
        }
    }
    if (stream) AVIStreamRelease(stream);
    if (file) AVIFileRelease(file);
    AVIFileExit();
    if (result != 0) std::printf("make_test_clip: cannot write %s\n", argv[1]);
    return result;
}
