// The Win32 procedures through which dialogs and subclassed controls reach
// their objects' message maps.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR object);
// A dialog of this framework, whose DWLP_USER holds its CDialog.
bool IsOurDialog(HWND hwnd);
