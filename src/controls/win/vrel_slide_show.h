// The slide show: pictures one after another, each standing still for 7.5 s
// and then sliding out to the left in 0.6 s while the next comes in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/win/accessible_object.h"
#include "platform/win/window.h"
#include "theme/theme_palette.h"

namespace vwi {

// Sent to the parent when the slide show is clicked (wParam 0, lParam 0).
constexpr UINT WM_SLIDESHOW_CLICK = WM_USER + 250;

// One picture; the bitmap is borrowed (its owner keeps it for the process).
struct SlideImage {
  int width = 0;
  int height = 0;
  HBITMAP bitmap = nullptr;
};

class CVrelSliderShowCtrl : public Window, public AccessibleSource {
 public:
  bool CreateChild(HWND parent, const RECT& rect, UINT id);

  ColorRef backgroundColor = MakeRgb(24, 25, 30);
  int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  double transitionSeconds = 0.6;
  double displaySeconds = 7.5;
  std::vector<SlideImage> slides;
  // What the pictures show, for those who cannot see them.
  std::u16string alternativeText;

  // A picture that opens a page when clicked.
  AccessibleFacts Describe() const override;
  void DoDefaultAction(HWND control) override;

  // Stops the slide clock at `seconds` (tests and galleries); a negative
  // value lets it run again.
  static void FreezeClockForTesting(double seconds);

 protected:
  void OnAttached() override;
  void OnDestroy() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC) override { return TRUE; }
  std::optional<LRESULT> OnSetCursor(HWND, UINT, UINT) override;
  bool OnLButtonDown(UINT, POINT) override;
};

}  // namespace vwi
