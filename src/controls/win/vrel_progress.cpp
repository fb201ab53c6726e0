#include "controls/win/vrel_progress.h"

#include "controls/win/shared_drawing.h"

#include "controls/progress_geometry.h"
#include "controls/win/control_class.h"
#include "controls/win/d2d_colors.h"
#include "controls/win/draw.h"
#include "platform/win/wide.h"
#include "theme/theme.h"

namespace vwi {

CVrelProgress::CVrelProgress()
    : radiusX(Metrics().progressRadiusX), radiusY(Metrics().progressRadiusY) {}

bool CVrelProgress::CreateChild(HWND parent, const RECT& rect, UINT id) {
  return Create(ControlClass(L"VrelProgress"), L"", WS_CHILD | WS_VISIBLE, 0, rect, parent, id);
}

void CVrelProgress::SetPosition(int next) {
  const bool changed = ProgressValue(next, range) != ProgressValue(position, range);
  position = next;
  if (changed) NotifyAccessibleChange(hwnd(), EVENT_OBJECT_VALUECHANGE);
}

void CVrelProgress::SetName(const std::u16string& next) {
  if (next == name_) return;
  name_ = next;
  SetWindowTextW(hwnd(), Wide(name_));
  NotifyAccessibleChange(hwnd(), EVENT_OBJECT_NAMECHANGE);
}

AccessibleFacts CVrelProgress::Describe() const {
  AccessibleFacts facts;
  facts.role = AccessibleRole::kProgressBar;
  facts.value = ProgressValue(position, range);
  return facts;
}

std::optional<LRESULT> CVrelProgress::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) return AnswerGetObject(hwnd(), wParam, lParam);
  return std::nullopt;
}

bool CVrelProgress::OnPaint() {
  shared_drawing::PaintWindow(
      hwnd(), ToD2DColor(backgroundColor),
      [this](ID2D1DCRenderTarget& target, const RECT& client) { Draw(target, client); });
  return true;
}

void CVrelProgress::Draw(ID2D1DCRenderTarget& target, const RECT& client) {
  const ProgressShape s =
      ComputeProgressShape(FromRECT(client), barRect.right - barRect.left,
                           barRect.bottom - barRect.top, radiusX, radiusY, position, range);
  const D2D1_ROUNDED_RECT track{{s.x0, s.y0, s.x1, s.y1}, s.radiusX, s.radiusY};
  ComPtr<ID2D1SolidColorBrush> trackBrush;
  target.CreateSolidColorBrush(ToD2DColor(trackColor), trackBrush.put());
  if (trackBrush) target.FillRoundedRectangle(&track, trackBrush.get());

  if (s.hasFill) {
    // The fill is the track cut straight at fillRight: it keeps the rounded
    // left end and meets the rounded right end only when full. Clipping the
    // track's shape to that rectangle gives exactly the intersection.
    ComPtr<ID2D1SolidColorBrush> fillBrush;
    target.CreateSolidColorBrush(ToD2DColor(fillColor), fillBrush.put());
    if (fillBrush) {
      target.PushAxisAlignedClip(D2D1_RECT_F{s.x0, s.y0, s.fillRight, s.y1},
                                 D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
      target.FillRoundedRectangle(&track, fillBrush.get());
      target.PopAxisAlignedClip();
    }
  }
}

}  // namespace vwi
