// The Win32 procedures through which dialogs and subclassed controls reach
// the objects bound to them.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR object);
// A dialog of this framework, whose DWLP_USER holds its binding.
bool IsOurDialog(HWND hwnd);
