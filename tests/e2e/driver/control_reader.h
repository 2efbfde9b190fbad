#pragma once
#include <windows.h>

#include <string>

// Reads windows and common controls of another process, each result as JSON.
// Messages whose lParam is a pointer go through RemoteBuffer, except those
// that the system itself copies between processes (WM_GETTEXT, CB_GETLBTEXT).

HWND FindTopWindow(const char* title, const char* className);  // className may be null
std::string TopWindowJson(HWND hwnd);
std::string TopWindowsJson();
std::string ChildrenJson(HWND parent);
std::string TextOf(HWND hwnd);
std::string ListViewJson(HWND list);
std::string TabJson(HWND tab);
std::string ComboJson(HWND combo);
std::string IpAddressJson(HWND ip);
std::string CheckJson(HWND button);  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
std::string MessageBoxJson(HWND box);

int TabSelection(HWND tab);
int CheckState(HWND button);
bool TogglesCheck(HWND button);  // an automatic check box: every click changes its state
bool RowSelected(HWND list, int row);
bool TabItemRect(HWND tab, int index, RECT* rc);
bool ListRowRect(HWND list, int row, RECT* rc);
HWND ChildButtonByText(HWND parent, const char* text);
