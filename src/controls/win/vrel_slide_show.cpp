#include "controls/win/vrel_slide_show.h"

#include <optional>

#include "controls/slide_show_timing.h"
#include "controls/win/control_class.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/unique_handle.h"

namespace vwi {
namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kFramePeriodMs = 33;

std::optional<ULONGLONG>& ClockStart() {
  static std::optional<ULONGLONG> start;
  return start;
}

}  // namespace

static double& FrozenSeconds() {
  static double frozen = -1;
  return frozen;
}

void CVrelSliderShowCtrl::FreezeClockForTesting(double seconds) { FrozenSeconds() = seconds; }

bool CVrelSliderShowCtrl::CreateChild(HWND parent, const RECT& rect, UINT id) {
  return Create(ControlClass(L"VrelSlideShow"), L"", WS_CHILD | WS_VISIBLE, 0, rect, parent, id);
}

void CVrelSliderShowCtrl::OnAttached() { SetTimer(kAnimationTimer, kFramePeriodMs); }

void CVrelSliderShowCtrl::OnDestroy() { KillTimer(kAnimationTimer); }

bool CVrelSliderShowCtrl::OnTimer(UINT_PTR id) {
  if (id != kAnimationTimer) return false;
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return true;
}

bool CVrelSliderShowCtrl::OnPaint() {
  PaintScope paint(hwnd());
  const RECT client = ClientRect();
  MemoryDc buffer(paint.dc(), client);
  HDC dc = buffer.dc();
  FillSolid(dc, FromRECT(client), backgroundColor);
  if (slides.empty()) return true;

  const ULONGLONG now = GetTickCount64();
  if (!ClockStart()) ClockStart() = now;
  const double seconds =
      FrozenSeconds() >= 0 ? FrozenSeconds() : static_cast<double>(now - *ClockStart()) / 1000.0;
  std::vector<Size> sizes;
  for (const SlideImage& s : slides) sizes.push_back({s.width, s.height});
  const Rect area{client.left + marginLeft, client.top + marginTop, client.right - marginRight,
                  client.bottom - marginBottom};
  UniqueDc source(CreateCompatibleDC(dc));
  if (!source) return true;
  for (const SlideDraw& d :
       PlaceSlides(seconds, {displaySeconds, transitionSeconds}, sizes, area)) {
    const SlideImage& slide = slides[d.index];
    if (!slide.bitmap) continue;
    SelectScope select(source.get(), slide.bitmap);
    BitBlt(dc, d.at.x, d.at.y, slide.width, slide.height, source.get(), 0, 0, SRCCOPY);
  }
  return true;
}

std::optional<LRESULT> CVrelSliderShowCtrl::OnSetCursor(HWND, UINT, UINT) {
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return TRUE;
}

bool CVrelSliderShowCtrl::OnLButtonDown(UINT, POINT) {
  SendMessageW(GetParent(hwnd()), WM_SLIDESHOW_CLICK, 0, 0);
  return true;
}

AccessibleFacts CVrelSliderShowCtrl::Describe() const {
  AccessibleFacts facts;
  facts.role = AccessibleRole::kGraphic;
  facts.name = alternativeText;
  return facts;
}

void CVrelSliderShowCtrl::DoDefaultAction(HWND control) {
  PostMessageW(GetParent(control), WM_SLIDESHOW_CLICK, 0, 0);
}

std::optional<LRESULT> CVrelSliderShowCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) return AnswerGetObject(hwnd(), wParam, lParam);
  return std::nullopt;
}

}  // namespace vwi
