// SSE2 where the compiler targets it (x86-64 always; the 32-bit Windows build
// compiles the files that use it with -msse2). Every use keeps a portable loop
// beside it that gives the same results.
#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ORB_HAVE_SSE2 1
#endif
