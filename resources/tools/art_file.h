/* File writing shared by the build-time art generators: little-endian fields,
   whole files written at once, and the 32 x 32 true-colour program icon. */
#ifndef ORB_ART_FILE_H
#define ORB_ART_FILE_H
#include <stddef.h>
#include <stdint.h>

void Put16(uint8_t* p, uint32_t v);
void Put32(uint8_t* p, uint32_t v);

/* Writes `size` bytes as folder/name; on failure says which file and returns 0. */
int WriteArtFile(const char* folder, const char* name, const uint8_t* bytes, size_t size);

/* Blue, green and red of the icon pixel (x, y), counted from the top left;
   returns 0 for a transparent pixel. */
typedef int (*IconColour)(int x, int y, uint8_t bgr[3]);

/* A 32 x 32 icon of 32-bit colour rows and a transparency mask. */
int WriteIcon32(const char* folder, const char* name, IconColour colour);

#endif
