/* Draws the viewer's built-in art: the 152 x 112, 16-colour preview picture
   (also shown in the options dialog) and the program icon. Run at build time
   on the build machine; writes "preview.bmp" and "viewer.ico" into the folder
   given as its argument. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "art_file.h"

enum { kPreviewWidth = 152, kPreviewHeight = 112 };

/* The 16-colour table, blue, green, red, reserved. */
static const uint8_t kColours[16][4] = {
    {0, 0, 0, 0},       {40, 8, 16, 0},     {80, 16, 32, 0},    {120, 32, 48, 0},
    {160, 48, 64, 0},   {200, 80, 64, 0},   {230, 120, 60, 0},  {250, 170, 70, 0},
    {255, 210, 120, 0}, {255, 240, 200, 0}, {60, 200, 255, 0},  {40, 140, 255, 0},
    {20, 80, 220, 0},   {160, 255, 255, 0}, {200, 200, 200, 0}, {255, 255, 255, 0},
};

/* A glowing orb with a ring over a night sky with a few stars; colour index per pixel. */
static int PreviewColour(int x, int y) {
    double cx = 76.0, cy = 52.0;
    double dx = x - cx, dy = y - cy;
    double r = sqrt(dx * dx + dy * dy);
    /* A tilted ring around the orb. */
    double ry = (dy + dx * 0.25) * 3.2;
    double ring = sqrt(dx * dx + ry * ry);
    if (ring > 50 && ring < 56 && !(r < 30 && dy + dx * 0.25 < 0)) return 10 + (int)(ring - 50) / 3;
    if (r < 30) {
        double light = 1.0 - sqrt((dx + 10) * (dx + 10) + (dy + 10) * (dy + 10)) / 50.0;
        int shade = (int)(light * 9.0) + 1;
        return shade < 1 ? 1 : shade > 9 ? 9 : shade;
    }
    if ((x * 7 + y * 13) % 97 == 0 || (x * 11 + y * 5) % 89 == 0) return (x + y) % 2 ? 15 : 14;
    return y > 96 ? 1 : 0;
}

static int WritePreview(const char* folder) {
    enum { kRowBytes = ((kPreviewWidth * 4 + 31) / 32) * 4 };
    enum { kHeaderBytes = 14 + 40 + 16 * 4, kPixelBytes = kRowBytes * kPreviewHeight };
    static uint8_t file[kHeaderBytes + kPixelBytes];
    int x, y;
    memset(file, 0, sizeof file);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file + 2, sizeof file);
    Put32(file + 10, kHeaderBytes);
    Put32(file + 14, 40);
    Put32(file + 18, kPreviewWidth);
    Put32(file + 22, kPreviewHeight);
    Put16(file + 26, 1);
    Put16(file + 28, 4);
    Put32(file + 34, kPixelBytes);
    Put32(file + 46, 16);
    memcpy(file + 54, kColours, sizeof kColours);
    for (y = 0; y < kPreviewHeight; ++y) {
        uint8_t* row = file + kHeaderBytes + (kPreviewHeight - 1 - y) * kRowBytes;
        for (x = 0; x < kPreviewWidth; ++x)
            row[x / 2] |= (uint8_t)(PreviewColour(x, y) << (x % 2 ? 0 : 4));
    }
    return WriteArtFile(folder, "preview.bmp", file, sizeof file);
}

/* The icon: the orb alone, transparent around it. */
static int OrbIconColour(int x, int y, uint8_t bgr[3]) {
    double dx = x - 15.5, dy = y - 15.5;
    double r = sqrt(dx * dx + dy * dy);
    double light;
    int shade;
    if (r > 15.0) return 0;
    light = 1.0 - sqrt((dx + 5) * (dx + 5) + (dy + 5) * (dy + 5)) / 26.0;
    shade = (int)(light * 9.0) + 1;
    memcpy(bgr, kColours[shade < 1 ? 1 : shade > 9 ? 9 : shade], 3);
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_viewer_art OUTPUT-FOLDER\n");
        return 2;
    }
    return WritePreview(argv[1]) && WriteIcon32(argv[1], "viewer.ico", OrbIconColour) ? 0 : 1;
}
