// Prints how many monitors Windows (or Wine) reports, so a test on a two-head
// X server can tell whether the second head reached the Windows side at all.
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
    return 0;
}
