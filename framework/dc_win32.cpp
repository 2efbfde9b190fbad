#include <cassert>

#include "framework/dc.h"
#include "framework/wnd.h"

int CDC::SaveDC() {
  assert(m_hDC);
  return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int savedDC) {
  assert(m_hDC);
  return ::RestoreDC(m_hDC, savedDC);
}

int CDC::SetBkMode(int mode) {
  assert(m_hDC);
  return ::SetBkMode(m_hDC, mode);
}

COLORREF CDC::SetTextColor(COLORREF color) {
  assert(m_hDC);
  return ::SetTextColor(m_hDC, color);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
  assert(m_hDC);
  ::SetBkColor(m_hDC, color);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

int CDC::DrawText(LPCSTR text, RECT* rect, UINT format) {
  assert(m_hDC);
  return ::DrawTextA(m_hDC, text, -1, rect, format);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
  assert(m_hDC);
  return ::DrawIcon(m_hDC, x, y, icon);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd) {
  assert(IsWindow(wnd->m_hWnd));
  m_hDC = ::BeginPaint(wnd->m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() { ::EndPaint(m_pWnd->m_hWnd, &m_ps); }
