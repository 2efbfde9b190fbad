#include <cassert>

#include "framework/dc.h"
#include "framework/memory_ui.h"
#include "framework/wnd.h"

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    case SM_CYEDGE:
      return 2;
    default:
      return 0;
  }
}

DWORD GetSysColor(int index) {
  switch (index) {
    case COLOR_BTNFACE:
      return RGB(212, 208, 200);
    case COLOR_BTNTEXT:
      return RGB(0, 0, 0);
    default:
      return RGB(255, 255, 255);
  }
}

int CDC::SaveDC() {
  assert(m_hDC);
  return ++m_hDC->saved;
}

BOOL CDC::RestoreDC(int savedDC) {
  assert(m_hDC);
  if (savedDC <= 0 || savedDC > m_hDC->saved) return FALSE;
  m_hDC->saved = savedDC - 1;
  return TRUE;
}

int CDC::SetBkMode(int mode) {
  assert(m_hDC);
  int previous = m_hDC->bkMode;
  m_hDC->bkMode = mode;
  return previous;
}

COLORREF CDC::SetTextColor(COLORREF color) {
  assert(m_hDC);
  COLORREF previous = m_hDC->textColor;
  m_hDC->textColor = color;
  return previous;
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
  assert(m_hDC);
  m_hDC->drawings.push_back({MemoryDrawing::Fill, *rect, "", 0, color, m_hDC->bkMode});
}

int CDC::DrawText(LPCSTR text, RECT* rect, UINT format) {
  assert(m_hDC);
  m_hDC->drawings.push_back({MemoryDrawing::Text, *rect, text, format, m_hDC->textColor, m_hDC->bkMode});
  return 1;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
  assert(m_hDC);
  m_hDC->drawings.push_back(
      {MemoryDrawing::Icon, {x, y, x, y}, "", 0, static_cast<COLORREF>(reinterpret_cast<std::uintptr_t>(icon)), m_hDC->bkMode});
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd) {
  assert(wnd->m_hWnd);
  m_hDC = memory_ui::CreateDC();
  ++wnd->m_hWnd->paints;
  wnd->m_hWnd->paintDC = m_hDC;
}

CPaintDC::~CPaintDC() = default;
