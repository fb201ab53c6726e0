// A flat progress bar with rounded ends, drawn with Direct2D: a track and a
// fill whose length follows the position.
#pragma once

#include <windows.h>

#include <d2d1.h>

#include <string>

#include "controls/win/accessible_object.h"
#include "platform/win/unique_handle.h"
#include "platform/win/window.h"
#include "theme/theme_palette.h"

namespace vwi {

class CVrelProgress : public Window, public AccessibleSource {
 public:
  CVrelProgress();

  // Creates the bar as a child window of `parent`.
  bool CreateChild(HWND parent, const RECT& rect, UINT id);

  // Set by the owner, which then invalidates and updates the window.
  ColorRef backgroundColor = 0;
  ColorRef trackColor = 0;
  ColorRef fillColor = 0;
  int position = 0;
  int range = 100;
  RECT barRect{};  // only its size is used
  float radiusX = 0;
  float radiusY = 0;

  // Moves the fill (the owner redraws) and tells assistive technology when
  // the percentage changed.
  void SetPosition(int next);

  // Names the bar after what is progressing (the status line), as a label
  // before it would; assistive technology hears when the name changes.
  void SetName(const std::u16string& next);

  // A progress bar whose value is the percentage reached.
  AccessibleFacts Describe() const override;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC) override { return TRUE; }

 private:
  void Draw(ID2D1DCRenderTarget& target, const RECT& client);

  std::u16string name_;
};

}  // namespace vwi
