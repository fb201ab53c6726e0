// A label drawn on a solid background in a chosen font, colour and layout;
// it can show the hand cursor and a focus rectangle (the licence link).
#pragma once

#include <windows.h>

#include <string>

#include "controls/win/accessible_object.h"
#include "platform/win/window.h"
#include "theme/theme_palette.h"

namespace vwi {

class CVrelStatic : public Window, public AccessibleSource {
 public:
  // Set through SetText.
  std::u16string text;
  HFONT font = nullptr;  // borrowed; none: a temporary Arial for each paint
  ColorRef textColor = 0;
  ColorRef backColor = 0;
  bool showHandCursor = false;
  bool focused = false;
  UINT format = 0;  // DrawText flags

  // Set by the owner for a label that acts (the licence link); a plain
  // label leaves its description to the platform (static text).
  std::optional<AccessibleFacts> accessible;
  AccessibleFacts Describe() const override { return accessible.value_or(AccessibleFacts{}); }

  // The look the owner chooses: font, colours and DrawText flags.
  void Style(HFONT labelFont, ColorRef text, ColorRef back, UINT drawFormat);
  // Shows `label`, also as the window text, which assistive technology reads.
  void SetText(const std::u16string& label);

  void DrawItem(HDC dc, const RECT& rect);

 protected:
  virtual void DrawLabel(HDC dc, const std::u16string& label, RECT rect);

  void OnAttached() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnSetCursor(HWND, UINT hitTest, UINT mouseMessage) override;
  bool OnSetFocus(HWND) override;
  bool OnKillFocus(HWND) override;
};

}  // namespace vwi
