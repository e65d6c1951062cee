// Orbellan.exe: the screen-saver authoring program.
#include <windows.h>

#include <cstdlib>

#include "authoring/win32/authoring_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orb::AuthoringApp app;
    return app.Run(instance, __argc, __argv);
}
