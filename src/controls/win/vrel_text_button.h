// The large rounded action button ("Install", "Start Now"), drawn with
// Direct2D and DirectWrite, with a fill per state and a disabled look.
#pragma once

#include <windows.h>

#include <d2d1.h>
#include <dwrite.h>

#include <string>

#include "controls/action_button_style.h"
#include "controls/win/push_button_window.h"
#include "platform/win/unique_handle.h"

namespace vwi {

class CVrelTextButton : public CPushButtonWindow {
 public:
  CVrelTextButton();

  // Stores the label (also as the window text, for screen readers); the
  // owner invalidates.
  void SetText(const std::u16string& label);

  ActionButtonColors colors;
  std::u16string text;
  // Set directly by the owner, which then calls ResetMouseState and redraws.
  bool enabled = true;
  float radiusX = 0;
  float radiusY = 0;

  bool PreTranslateMessage(MSG& message) override;

  // A push button, unavailable while grey.
  AccessibleFacts Describe() const override;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC) override { return FALSE; }
  bool OnMouseMove(UINT flags, POINT point) override;
  bool OnMouseLeave() override;
  bool OnLButtonDown(UINT flags, POINT point) override;

 private:
  IDWriteTextFormat* TextFormat();
  void Draw(ID2D1DCRenderTarget& target, const RECT& client);
  void DrawFocusRing(ID2D1DCRenderTarget& target, float width, float height, ColorRef color);
  void RedrawNow();

  ComPtr<IDWriteTextFormat> textFormat_;
};

}  // namespace vwi
