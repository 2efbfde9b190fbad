#pragma once
#include <windows.h>

// Input as a user gives it: real mouse and keyboard events through SendInput,
// so the controls' own hit tests and notifications run.

// Clicks wait until the window is shown, enabled, under no modal box, its top
// window active and nothing over the point; false when that never comes.
bool ClickAt(HWND hwnd, POINT client);   // left click at a point of hwnd's client area
bool ClickCenter(HWND hwnd);
// Keys wait until an active window takes input.
bool PressKeys(const char* keys);        // names joined by '+', e.g. "RETURN", "ALT+F4"
bool TypeText(const char* text);
bool FocusControl(HWND hwnd);            // activates its top window and focuses it
bool PostButtonClick(HWND button);       // BM_CLICK posted, once the button takes input: a
                                         // handler may open a modal box
