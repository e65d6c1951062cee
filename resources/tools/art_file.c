#include "art_file.h"

#include <stdio.h>
#include <string.h>

void Put16(uint8_t* p, uint32_t v) { p[0] = (uint8_t)v; p[1] = (uint8_t)(v >> 8); }
void Put32(uint8_t* p, uint32_t v) { Put16(p, v & 0xFFFF); Put16(p + 2, v >> 16); }

int WriteArtFile(const char* folder, const char* name, const uint8_t* bytes, size_t size) {
    char path[1024];
    FILE* out;
    int ok;
    snprintf(path, sizeof path, "%s/%s", folder, name);
    out = fopen(path, "wb");
    ok = out && fwrite(bytes, 1, size, out) == size;
    if (out && fclose(out) != 0) ok = 0;
    if (!ok) fprintf(stderr, "cannot write %s\n", path);
    return ok;
}

int WriteIcon32(const char* folder, const char* name, IconColour colour) {
    enum { kSize = 32, kPixelBytes = kSize * kSize * 4, kMaskBytes = kSize * 4 };
    enum { kImageBytes = 40 + kPixelBytes + kMaskBytes, kHeaderBytes = 6 + 16 };
    static uint8_t file[kHeaderBytes + kImageBytes];
    uint8_t* image = file + kHeaderBytes;
    int x, y;
    memset(file, 0, sizeof file);
    Put16(file + 2, 1); /* icon */
    Put16(file + 4, 1); /* one image */
    file[6] = kSize;
    file[7] = kSize;
    Put16(file + 10, 1);
    Put16(file + 12, 32);
    Put32(file + 14, kImageBytes);
    Put32(file + 18, kHeaderBytes);
    Put32(image, 40);
    Put32(image + 4, kSize);
    Put32(image + 8, kSize * 2); /* colour rows plus mask rows */
    Put16(image + 12, 1);
    Put16(image + 14, 32);
    for (y = 0; y < kSize; ++y)
        for (x = 0; x < kSize; ++x) {
            /* Rows are stored bottom-up. */
            uint8_t* pixel = image + 40 + ((kSize - 1 - y) * kSize + x) * 4;
            uint8_t* mask = image + 40 + kPixelBytes + (kSize - 1 - y) * 4;
            if (colour(x, y, pixel)) {
                pixel[3] = 255;
            } else {
                pixel[0] = pixel[1] = pixel[2] = 0;
                mask[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            }
        }
    return WriteArtFile(folder, name, file, sizeof file);
}
