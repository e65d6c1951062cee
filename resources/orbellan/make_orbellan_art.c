/* Draws the authoring program's built-in art into the folder given as argument:
   the up and down faces of the mode buttons and of the actor-order buttons
   ("<CAPTION>U.bmp", "<CAPTION>D.bmp"), the pictures beside the sliders
   (bias.bmp, sprite_life.bmp, scene_life.bmp), the logo (logo.bmp), the default
   banner (banner.bmp) and the program icon (orbellan.ico). Every picture is a
   24-bit BMP. Run at build time on the build machine. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../tools/art_file.h"

typedef struct {
    int width, height;
    uint8_t* rgb; /* top-down, 3 bytes per pixel: red, green, blue */
} Picture;

static Picture NewPicture(int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb = calloc((size_t)width * height, 3);
    if (!p.rgb) exit(1);
    return p;
}

static void Plot(Picture* p, int x, int y, int r, int g, int b) {
    uint8_t* px;
    if (x < 0 || y < 0 || x >= p->width || y >= p->height) return;
    px = p->rgb + ((size_t)y * p->width + x) * 3;
    px[0] = (uint8_t)r;
    px[1] = (uint8_t)g;
    px[2] = (uint8_t)b;
}

static int WriteBmp(const char* folder, const char* name, const Picture* p) {
    uint32_t stride = ((uint32_t)p->width * 3 + 3) / 4 * 4;
    uint32_t bytes = 54 + stride * p->height;
    uint8_t* file = calloc(bytes, 1);
    int x, y, ok;
    if (!file) return 0;
    file[0] = 'B';
    file[1] = 'M';
    Put32(file + 2, bytes);
    Put32(file + 10, 54);
    Put32(file + 14, 40);
    Put32(file + 18, (uint32_t)p->width);
    Put32(file + 22, (uint32_t)p->height);
    Put16(file + 26, 1);
    Put16(file + 28, 24);
    Put32(file + 34, stride * p->height);
    for (y = 0; y < p->height; ++y) {
        uint8_t* row = file + 54 + (size_t)(p->height - 1 - y) * stride;
        for (x = 0; x < p->width; ++x) {
            const uint8_t* px = p->rgb + ((size_t)y * p->width + x) * 3;
            row[x * 3] = px[2];
            row[x * 3 + 1] = px[1];
            row[x * 3 + 2] = px[0];
        }
    }
    ok = WriteArtFile(folder, name, file, bytes);
    free(file);
    return ok;
}

/* A 4 x 7 capital font: one row per byte, bit 3 is the left column. */
static const char kGlyphNames[] = "ABCDEFGHILMNOPRSTUVWY";
static const uint8_t kGlyphs[][7] = {
    {6, 9, 9, 15, 9, 9, 9},    {14, 9, 9, 14, 9, 9, 14}, {6, 9, 8, 8, 8, 9, 6},
    {14, 9, 9, 9, 9, 9, 14},   {15, 8, 8, 14, 8, 8, 15}, {15, 8, 8, 14, 8, 8, 8},
    {6, 9, 8, 11, 9, 9, 7},    {9, 9, 9, 15, 9, 9, 9},   {14, 4, 4, 4, 4, 4, 14},
    {8, 8, 8, 8, 8, 8, 15},    {9, 15, 15, 9, 9, 9, 9},  {9, 13, 13, 11, 11, 9, 9},
    {6, 9, 9, 9, 9, 9, 6},     {14, 9, 9, 14, 8, 8, 8},  {14, 9, 9, 14, 12, 10, 9},
    {7, 8, 8, 6, 1, 1, 14},    {15, 4, 4, 4, 4, 4, 4},   {9, 9, 9, 9, 9, 9, 6},
    {9, 9, 9, 9, 9, 6, 6},     {9, 9, 9, 9, 15, 15, 9},  {9, 9, 9, 6, 4, 4, 4},
};

static void DrawText(Picture* p, const char* text, int x, int y, int r, int g, int b) {
    for (; *text; ++text, x += 5) {
        const char* at = strchr(kGlyphNames, *text);
        int row, col;
        if (!at) continue;
        for (row = 0; row < 7; ++row)
            for (col = 0; col < 4; ++col)
                if (kGlyphs[at - kGlyphNames][row] & (8 >> col)) Plot(p, x + col, y + row, r, g, b);
    }
}

/* A bevelled face: raised with a light top-left edge, or pressed (sunken, darker
   and lit in the mode's own colour). */
static void DrawFace(Picture* p, int pressed, int hueR, int hueG, int hueB) {
    int x, y;
    for (y = 0; y < p->height; ++y)
        for (x = 0; x < p->width; ++x) {
            double t = (double)y / (p->height - 1);
            int base = pressed ? (int)(150 - 40 * t) : (int)(225 - 45 * t);
            int r = pressed ? (base + hueR) / 2 : base, g = pressed ? (base + hueG) / 2 : base;
            int b = pressed ? (base + hueB) / 2 : base;
            int edge = x == 0 || y == 0 || x == p->width - 1 || y == p->height - 1;
            int light = x <= 1 || y <= 1, dark = x >= p->width - 2 || y >= p->height - 2;
            if (edge) r = g = b = 40;
            else if (light) r = g = b = pressed ? 90 : 250;
            else if (dark) r = g = b = pressed ? 230 : 110;
            Plot(p, x, y, r, g, b);
        }
}

static int WriteModeFaces(const char* folder, const char* caption, int r, int g, int b) {
    int state, ok = 1;
    for (state = 0; state < 2; ++state) {
        Picture p = NewPicture(62, 20);
        int textX = (62 - (int)strlen(caption) * 5 + 1) / 2, shift = state;
        char name[64];
        DrawFace(&p, state, r, g, b);
        if (state) DrawText(&p, caption, textX + shift, 7 + shift, 255, 255, 255);
        else DrawText(&p, caption, textX, 6, 20, 20, 60);
        snprintf(name, sizeof name, "%s%c.bmp", caption, state ? 'D' : 'U');
        ok = WriteBmp(folder, name, &p) && ok;
        free(p.rgb);
    }
    return ok;
}

/* An arrow button face, pointing up or down. */
static int WriteArrowFaces(const char* folder, const char* caption, int up) {
    int state, ok = 1;
    for (state = 0; state < 2; ++state) {
        Picture p = NewPicture(22, 20);
        char name[64];
        int row, x;
        DrawFace(&p, state, 90, 140, 220);
        for (row = 0; row < 7; ++row) {
            int y = (up ? 6 + row : 13 - row) + state;
            for (x = 11 - row; x <= 10 + row; ++x) Plot(&p, x + state, y, 20, 20, 60);
        }
        snprintf(name, sizeof name, "%s%c.bmp", caption, state ? 'D' : 'U');
        ok = WriteBmp(folder, name, &p) && ok;
        free(p.rgb);
    }
    return ok;
}

/* Shaded sphere colour at a point, or -1 outside the sphere of radius rad. */
static int Orb(double dx, double dy, double rad, int* r, int* g, int* b) {
    double d = sqrt(dx * dx + dy * dy), light;
    if (d > rad) return 0;
    light = 1.0 - sqrt((dx + rad / 3) * (dx + rad / 3) + (dy + rad / 3) * (dy + rad / 3)) / (1.6 * rad);
    if (light < 0) light = 0;
    *r = (int)(40 + 215 * light);
    *g = (int)(60 + 150 * light);
    *b = (int)(140 + 115 * light);
    return 1;
}

static void DrawSky(Picture* p) {
    int x, y, r, g, b;
    for (y = 0; y < p->height; ++y)
        for (x = 0; x < p->width; ++x) {
            r = 10;
            g = 10 + y * 30 / p->height;
            b = 40 + y * 60 / p->height;
            if ((x * 7 + y * 13) % 97 == 0) r = g = b = 230;
            Plot(p, x, y, r, g, b);
        }
}

static void DrawOrbs(Picture* p, int count) {
    int i, x, y, r, g, b;
    for (i = 0; i < count; ++i) {
        double cx = p->width * (i + 0.5) / count, cy = p->height / 2.0 + (i % 2 ? 4 : -4);
        double rad = (p->width / count < p->height ? p->width / count : p->height) * 0.38;
        for (y = 0; y < p->height; ++y)
            for (x = 0; x < p->width; ++x)
                if (Orb(x - cx, y - cy, rad, &r, &g, &b)) Plot(p, x, y, r, g, b);
    }
}

/* Pictures beside the sliders: a balance (bias), a single orb fading (sprite
   lifetime) and a frame of orbs (scene lifetime). */
static int WriteSliderPictures(const char* folder) {
    Picture bias = NewPicture(24, 24), sprite = NewPicture(24, 24), scene = NewPicture(24, 24);
    int x, ok;
    DrawSky(&bias);
    for (x = 3; x < 21; ++x) Plot(&bias, x, 8 + (x - 12) / 4, 240, 200, 80);
    for (x = 10; x < 15; ++x) Plot(&bias, 12, 8 + x, 240, 200, 80);
    DrawSky(&sprite);
    DrawOrbs(&sprite, 1);
    DrawSky(&scene);
    DrawOrbs(&scene, 3);
    ok = WriteBmp(folder, "bias.bmp", &bias) && WriteBmp(folder, "sprite_life.bmp", &sprite) &&
         WriteBmp(folder, "scene_life.bmp", &scene);
    free(bias.rgb);
    free(sprite.rgb);
    free(scene.rgb);
    return ok;
}

static int WriteLogoAndBanner(const char* folder) {
    Picture logo = NewPicture(64, 48), banner = NewPicture(152, 112);
    int ok;
    DrawSky(&logo);
    DrawOrbs(&logo, 1);
    DrawText(&logo, "ORBELLAN", 12, 39, 250, 220, 120);
    DrawSky(&banner);
    DrawOrbs(&banner, 4);
    DrawText(&banner, "ORBELLAN", 56, 98, 250, 220, 120);
    ok = WriteBmp(folder, "logo.bmp", &logo) && WriteBmp(folder, "banner.bmp", &banner);
    free(logo.rgb);
    free(banner.rgb);
    return ok;
}

/* The icon: the orb, transparent around it. */
static int OrbIconColour(int x, int y, uint8_t bgr[3]) {
    int r, g, b;
    if (!Orb(x - 15.5, y - 15.5, 15, &r, &g, &b)) return 0;
    bgr[0] = (uint8_t)b;
    bgr[1] = (uint8_t)g;
    bgr[2] = (uint8_t)r;
    return 1;
}

int main(int argc, char** argv) {
    static const struct {
        const char* caption;
        int r, g, b;
    } kModes[] = {
        {"BOUNCE", 240, 90, 60},       {"GRAVIBOUNCE", 240, 160, 40}, {"FLYAWAY", 80, 200, 240},
        {"RAIN", 60, 120, 240},        {"RANDOMDRIFT", 140, 220, 90}, {"STARBURST", 250, 220, 60},
        {"SPLAT", 220, 60, 160},       {"RANDOM", 160, 100, 240},     {"SHUFFLE", 60, 200, 160},
    };
    size_t i;
    int ok = 1;
    if (argc != 2) {
        fprintf(stderr, "usage: make_orbellan_art FOLDER\n");
        return 2;
    }
    for (i = 0; i < sizeof kModes / sizeof kModes[0]; ++i)
        ok = WriteModeFaces(argv[1], kModes[i].caption, kModes[i].r, kModes[i].g, kModes[i].b) && ok;
    ok = WriteArrowFaces(argv[1], "UPACTOR", 1) && ok;
    ok = WriteArrowFaces(argv[1], "DOWNACTOR", 0) && ok;
    ok = WriteSliderPictures(argv[1]) && ok;
    ok = WriteLogoAndBanner(argv[1]) && ok;
    ok = WriteIcon32(argv[1], "orbellan.ico", OrbIconColour) && ok;
    return ok ? 0 : 1;
}
