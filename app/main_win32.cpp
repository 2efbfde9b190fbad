#include <windows.h>

#include "app/finder_app.h"

// The one application object, constructed before the entry point.
CFinderApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
