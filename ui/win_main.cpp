#include <windows.h>

#include "ui/main_window.h"

// The command line and the requested show state are ignored: the window
// always opens normal-sized and centred.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return mirvo::runPlayer(instance); }
