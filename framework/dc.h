// Device contexts: CDC wraps an HDC it does not own, CPaintDC one paint cycle.
#pragma once

#include "framework/win_types.h"

class CWnd;

class CDC {
 public:
  CDC() = default;
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;

  // A wrapper around hdc valid until the next call; nullptr for no hdc.
  static CDC* FromHandle(HDC hdc);
  HDC GetSafeHdc() const { return m_hDC; }

  int SaveDC();
  BOOL RestoreDC(int savedDC);
  int SetBkMode(int mode);
  COLORREF SetTextColor(COLORREF color);
  void FillSolidRect(const RECT* rect, COLORREF color);
  int DrawText(LPCSTR text, RECT* rect, UINT format);
  BOOL DrawIcon(int x, int y, HICON icon);
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

 private:
  CWnd* m_pWnd;
#ifdef _WIN32
  PAINTSTRUCT m_ps;
#endif
};
