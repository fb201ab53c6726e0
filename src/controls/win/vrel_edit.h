// A single-line edit box with a flat one-pixel border, its own colours, the
// text centred vertically and first-click select-all.
#pragma once

#include <windows.h>

#include "platform/win/unique_handle.h"
#include "platform/win/window.h"
#include "theme/theme_palette.h"

namespace vwi {

class CVrelEdit : public Window {
 public:
  ColorRef borderColor = 0;
  ColorRef focusBorderColor = 0;
  ColorRef backColor = 0;
  ColorRef textColor = 0;
  bool focused = false;
  bool pasteAllowed = true;
  UniqueBrush backBrush;

  // Sets the background colour and the brush made of it.
  void SetBackColor(ColorRef color);

  bool PreTranslateMessage(MSG& message) override;

 protected:
  void OnAttached() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnNcCalcSize(bool validRects, LPARAM lParam) override;
  bool OnNcPaint(HRGN region) override;
  bool OnLButtonDown(UINT flags, POINT point) override;
  bool OnLButtonUp(UINT flags, POINT point) override;
  bool OnSetFocus(HWND previous) override;
  bool OnKillFocus(HWND next) override;
  bool OnEnable(bool enabled) override;
  std::optional<LRESULT> OnSetCursor(HWND, UINT hitTest, UINT) override;

 private:
  bool Editable() const;
  void PaintFrame();
};

}  // namespace vwi
