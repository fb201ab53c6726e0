// The skinned drop-down selector: a flat dark box that paints itself (text,
// a chevron in a strip, a border that lights up under the mouse), opens and
// closes its list on any click, and draws the list's items (text only).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/geometry.h"
#include "platform/win/window.h"
#include "theme/image_wrapper.h"
#include "theme/theme_palette.h"

namespace vwi {

constexpr UINT WM_SKINCOMBO_LISTCLOSED = WM_USER + 3;

// The combo's edit field: hidden for good; while read-only it ignores
// selection requests.
class CVrelComboBox_Edit : public Window {
 public:
  HWND combo = nullptr;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The combo's drop-down list: draws the items and a one-pixel border.
class CVrelComboBox_ListBox : public Window {
 public:
  HWND combo = nullptr;
  HFONT font = nullptr;
  ColorRef borderFillColor = MakeRgb(54, 138, 211);
  ColorRef textColor = MakeRgb(206, 217, 223);
  ColorRef selectedTextColor = MakeRgb(206, 217, 223);
  ColorRef backColor = MakeRgb(20, 26, 32);
  ColorRef selectedBackColor = MakeRgb(51, 60, 67);

  void DrawItem(const DRAWITEMSTRUCT& item);

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnNcPaint(HRGN region) override;
};

class CVrelComboBox : public Window {
 public:
  CVrelComboBox();

  bool hover = false;
  bool tracking = false;
  int arrowFrameWidth = 16;
  int arrowFrameHeight = 16;
  int itemHeight = 0;
  HFONT font = nullptr;
  ColorRef backColor = MakeRgb(20, 26, 32);
  ColorRef arrowStripColor = MakeRgb(20, 26, 32);
  ColorRef textColor = MakeRgb(255, 255, 255);
  ColorRef placeholderColor = MakeRgb(100, 100, 100);
  ColorRef borderColor = MakeRgb(73, 90, 105);
  ColorRef hoverBorderColor = MakeRgb(54, 138, 211);
  Rect arrowZone;
  CVrelComboBox_Edit edit;
  std::u16string placeholder;
  CVrelComboBox_ListBox list;

  bool ListShown() const;

 protected:
  void OnAttached() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC) override { return TRUE; }
  bool OnSize(UINT type, int cx, int cy) override;
  bool OnLButtonDown(UINT flags, POINT point) override;
  bool OnLButtonDblClk(UINT flags, POINT point) override { return OnLButtonDown(flags, point); }
  bool OnMouseMove(UINT flags, POINT point) override;
  bool OnMouseLeave() override;

 private:
  bool ReadOnly() const;
  void Layout();
  void Paint(HDC dc, const RECT& client);
  void UpdateDroppedWidth();
  void KeepListOnScreen();

  std::shared_ptr<CImageWrapper> arrow_;
};

}  // namespace vwi
