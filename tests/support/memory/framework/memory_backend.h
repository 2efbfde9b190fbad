// Shared by the in-memory backend's files: the window tree and what it records.
#pragma once

#ifndef _WIN32

#include <functional>

#include "framework/memory_ui.h"

class CDialog;

namespace memory_backend {

// A dialog window from its template, a child of parent or top-level; nullptr
// when the resource script has no such template.
MemoryWindow* CreateDialogWindow(UINT templateId, MemoryWindow* parent);
// Removes the window and its descendants; their objects lose their handles.
void DestroyWindow(MemoryWindow* window);
// The window procedure: the object's message map, then the default processing.
LRESULT Dispatch(MemoryWindow* window, UINT message, WPARAM wParam, LPARAM lParam);

void SetFocus(MemoryWindow* window);
void ResetWindows();
void RecordMessageBox(const ShownMessageBox& shown);
void RecordModal(UINT templateId, INT_PTR result);
void RecordPost(const memory_ui::PostedMessage& posted);
// The oldest modal script, or an empty function.
std::function<void(CDialog&)> TakeModalScript();

}  // namespace memory_backend

#endif
