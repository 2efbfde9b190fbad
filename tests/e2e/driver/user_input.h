#pragma once
#include <windows.h>

// Input as a user gives it: real mouse and keyboard events through SendInput,
// so the controls' own hit tests and notifications run.

bool ClickAt(HWND hwnd, POINT client);   // left click at a point of hwnd's client area
bool ClickCenter(HWND hwnd);
bool PressKeys(const char* keys);        // names joined by '+', e.g. "RETURN", "ALT+F4"
bool TypeText(const char* text);
bool FocusControl(HWND hwnd);            // activates its top window and focuses it
void PostButtonClick(HWND button);       // BM_CLICK posted: a handler may open a modal box
