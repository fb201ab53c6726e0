// A flat owner-drawn button: a coloured box, an optional image strip and an
// optional white label. Check boxes, the expander and "..." are made of it.
#pragma once

#include <windows.h>

#include <string>

#include "controls/win/push_button_window.h"
#include "theme/image_wrapper.h"
#include "theme/theme_palette.h"

namespace vwi {

// Posted to the parent: the mouse came to rest over the button (wParam = the
// button object) and left it.
constexpr UINT WM_SKINBUTTON_HOVER = WM_USER + 2000;
constexpr UINT WM_SKINBUTTON_LEAVE = WM_USER + 2001;

// The keyboard focus is marked with a one-pixel frame in this colour.
constexpr ColorRef kFocusMarkColor = MakeRgb(54, 138, 211);

class CVrelButton : public CPushButtonWindow {
 public:
  // Removes any image and stores the colours and the label.
  void SetAppearance(ColorRef normal, ColorRef hover, ColorRef pressed, ColorRef border,
                     const std::u16string& label);
  // Shows frame 0 of `image` (borrowed: the image cache keeps it) and invalidates.
  void SetImage(const CImageWrapper& image);

  ColorRef normalColor = 0;
  ColorRef hoverColor = 0;
  ColorRef pressedColor = 0;
  ColorRef borderColor = 0;
  std::u16string text;
  HBITMAP bitmap = nullptr;
  int frameCount = 0;  // 0: no image
  int horizontalFrames = 1;
  int imageWidth = 0;
  int imageHeight = 0;

  // What the button is to assistive technology: a push button named by its
  // window text unless the owner says otherwise (a check box, an expander).
  AccessibleFacts accessible;
  AccessibleFacts Describe() const override { return accessible; }

  // Draws the button into `dc` over `rect` (the owner-draw request).
  void DrawItem(HDC dc, const RECT& rect);

 protected:
  void OnAttached() override;
  std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnEraseBkgnd(HDC) override { return TRUE; }
  bool OnMouseMove(UINT flags, POINT point) override;
  bool OnMouseLeave() override;
  bool OnLButtonDown(UINT flags, POINT point) override;
};

}  // namespace vwi
