// The large rounded action button ("Install", "Start Now"), drawn with
// Direct2D and DirectWrite, with a fill per state and a disabled look.
#pragma once

#include <windows.h>

#include <d2d1.h>
#include <dwrite.h>

#include <string>

#include "controls/action_button_style.h"
#include "controls/push_button_mouse.h"
#include "controls/win/accessible_object.h"
#include "platform/win/unique_handle.h"
#include "platform/win/window.h"

namespace vwi {

class CVrelTextButton : public Window, public AccessibleSource {
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

  // Clears hover and pressed (after the owner changed `enabled`).
  void ResetMouseState();
  // The mouse state; owners that show a state without a mouse (a gallery of
  // the controls) may set it and redraw.
  PushButtonMouse& mouse() { return mouse_; }

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
  bool OnLButtonUp(UINT flags, POINT point) override;
  bool OnLButtonDblClk(UINT flags, POINT point) override { return OnLButtonDown(flags, point); }
  bool OnCaptureChanged(HWND) override;

 private:
  IDWriteTextFormat* TextFormat();
  void Draw(ID2D1DCRenderTarget& target, HDC dc, const RECT& client);
  void DrawFocusRing(ID2D1DCRenderTarget& target, float width, float height, ColorRef color);
  void RedrawNow();

  PushButtonMouse mouse_;
  ComPtr<IDWriteTextFormat> textFormat_;
};

}  // namespace vwi
