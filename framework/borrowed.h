// A wrapper lent a window for one call: it neither binds nor unbinds it.
#pragma once

#include "framework/win_types.h"

template <class Wrapper>
class Borrowed : public Wrapper {
 public:
  explicit Borrowed(HWND hwnd) { this->m_hWnd = hwnd; }
  ~Borrowed() override { this->m_hWnd = nullptr; }
};
