#pragma once

#include "platform/win32/WinApi.h"
#include "toolkit/Control.h"

namespace fondex::win32ui {

// The forms are laid out in device-independent pixels (96 to the inch); a screen of another
// density gets them scaled.
constexpr int kDesignDpi = 96;

inline int Scaled(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(dpi), kDesignDpi);
}

inline int Unscaled(int pixels, UINT dpi) {
  return ::MulDiv(pixels, kDesignDpi, static_cast<int>(dpi));
}

// The control's rectangle in its form's client area: its bounds plus those of its containers.
RECT PlaceInForm(const toolkit::Control& control, UINT dpi);

// The font the control shows, its own or its container's, at the density; the handles live as
// long as the program.
HFONT FontOf(const toolkit::Control& control, UINT dpi);

}  // namespace fondex::win32ui
