#include "framework/dc.h"

CDC* CDC::FromHandle(HDC hdc) {
  if (!hdc) return nullptr;
  static CDC temporary;  // one user-interface thread, one drawing at a time
  temporary.m_hDC = hdc;
  return &temporary;
}
