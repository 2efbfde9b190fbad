// The in-memory backend's windows and what tests do with them: find a control
// of a dialog by id, set its state as a user would, fire notifications through
// the real message maps, and read what message boxes and modal dialogs showed.
#pragma once

#ifndef _WIN32

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win_types.h"
#include "framework/window_system.h"

class CWnd;
class CDialog;

struct MemoryListColumn {
  std::string heading;
  int format;
  int width;
  int subItem;
};

struct MemoryListRow {
  std::vector<std::string> cells;  // cell i is sub-item i
  LPARAM data = 0;
  UINT state = 0;
};

struct MemoryWindow {
  int id = 0;
  std::string className;  // as in the template: "Button", "SysListView32", ...
  std::string text;
  DWORD style = 0;
  bool visible = false;
  bool enabled = true;
  int x = 0, y = 0;  // position in the parent, as SetWindowPos set it
  RECT client = {0, 0, 0, 0};
  MemoryWindow* parent = nullptr;
  std::vector<std::unique_ptr<MemoryWindow>> children;
  WindowBinding* object = nullptr;  // the dialog or subclassed control bound to it
  UINT templateId = 0;             // a dialog's template
  int paints = 0;          // paint cycles run on it
  HDC paintDC = nullptr;   // the device context of the last CPaintDC
  HICON bigIcon = nullptr, smallIcon = nullptr;

  // list view
  std::vector<MemoryListColumn> columns;
  std::vector<MemoryListRow> rows;
  DWORD extendedStyle = 0;
  int topIndex = 0;
  int redraws = 0;
  // combo box and tab control
  std::vector<std::string> items;
  std::vector<LPARAM> itemData;
  int curSel = -1;
  // IP address control: -1 is a blank field
  std::array<int, 4> fields = {-1, -1, -1, -1};
  int focusedField = -1;  // the field the last IPM_SETFOCUS named
  // check box
  int check = 0;
  bool autoCheck = false;  // BS_AUTOCHECKBOX: a click toggles it
  // edit: 0 is no limit
  int textLimit = 0;
};

// What a device context was asked to draw.
struct MemoryDrawing {
  enum Kind { Fill, Text, Icon } kind;
  RECT rect;  // for Icon: left, top only
  std::string text;
  UINT flags;
  COLORREF color;  // fill colour, or the text colour at the time of drawing
  int bkMode;      // background mode at the time of drawing
};

struct MemoryDC {
  int saved = 0;  // states saved and not restored
  int bkMode = 2; // OPAQUE
  COLORREF textColor = 0;
  std::vector<MemoryDrawing> drawings;
};

struct ShownMessageBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

namespace memory_ui {

// Forgets every window, message box, modal script and posted message.
void Reset();

// The window of control id in a dialog (searching the dialog's descendants),
// nullptr when it has none.
MemoryWindow* Control(const CWnd& dialog, int id);
MemoryWindow* Window(const CWnd& wnd);

// User actions. Each changes the control's state, then sends its notification
// to the control's parent through the message map.
void Click(const CWnd& dialog, int id);  // BN_CLICKED; toggles an automatic check box
void ClickList(const CWnd& dialog, int id);  // NM_CLICK
void ChooseComboItem(const CWnd& dialog, int id, int index);  // CBN_SELCHANGE
void SelectTab(const CWnd& dialog, int tabId, int index);  // TCN_SELCHANGING, TCN_SELCHANGE
// Typing: the text is cut at the edit's input limit, as the control would.
void TypeText(const CWnd& dialog, int id, const std::string& text);
void SetAddressFields(const CWnd& dialog, int id, int f0, int f1, int f2, int f3);  // -1 blank
void SelectRow(const CWnd& dialog, int listId, int row);  // the only selected row; -1 none
// Sends a message to a window through its message map; the result.
LRESULT Send(const CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void Paint(const CWnd& wnd);  // WM_PAINT
// The window that has the keyboard focus.
HWND Focus();

// Message boxes shown so far, oldest first; each answered with IDOK.
const std::vector<ShownMessageBox>& MessageBoxes();

// Modal dialogs: each DoModal takes the oldest script, runs it after the
// dialog's OnInitDialog, and ends with what the script pressed. A dialog the
// script leaves open, or one with no script, ends with IDCANCEL.
void ScriptModal(std::function<void(CDialog& dialog)> script);
struct ShownModal {
  UINT templateId;
  INT_PTR result;
};
const std::vector<ShownModal>& Modals();

struct PostedMessage {
  HWND target;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
const std::vector<PostedMessage>& PostedMessages();

// A fresh device context for drawing tests, valid until Reset.
HDC CreateDC();

}  // namespace memory_ui

#endif
