#include "controls/win/vrel_progress.h"

#include "app/theme.h"
#include "controls/progress_geometry.h"
#include "controls/win/control_class.h"
#include "controls/win/d2d_colors.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"

namespace vwi {

CVrelProgress::CVrelProgress()
    : radiusX(Metrics().progressRadiusX), radiusY(Metrics().progressRadiusY) {}

bool CVrelProgress::CreateChild(HWND parent, const RECT& rect, UINT id) {
  return Create(ControlClass(L"VrelProgress"), L"", WS_CHILD | WS_VISIBLE, 0, rect, parent, id);
}

bool CVrelProgress::OnPaint() {
  PaintScope paint(hwnd());
  if (!renderTarget_) {
    drawFactory_.reset();
    const D2D1_RENDER_TARGET_PROPERTIES properties{
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        {DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE},
        0.0f,
        0.0f,
        D2D1_RENDER_TARGET_USAGE_NONE,
        D2D1_FEATURE_LEVEL_DEFAULT};
    if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory), nullptr,
                                 drawFactory_.put_void())) ||
        FAILED(drawFactory_->CreateDCRenderTarget(&properties, renderTarget_.put()))) {
      return true;
    }
  }
  Draw(paint.dc(), ClientRect());
  return true;
}

void CVrelProgress::Draw(HDC dc, const RECT& client) {
  if (FAILED(renderTarget_->BindDC(dc, &client))) return;
  const ProgressShape s =
      ComputeProgressShape(FromRECT(client), barRect.right - barRect.left,
                           barRect.bottom - barRect.top, radiusX, radiusY, position, range);
  renderTarget_->BeginDraw();
  renderTarget_->Clear(ToD2DColor(backgroundColor));
  const D2D1_ROUNDED_RECT track{{s.x0, s.y0, s.x1, s.y1}, s.radiusX, s.radiusY};
  ComPtr<ID2D1SolidColorBrush> trackBrush;
  renderTarget_->CreateSolidColorBrush(ToD2DColor(trackColor), trackBrush.put());
  if (trackBrush) renderTarget_->FillRoundedRectangle(&track, trackBrush.get());

  if (s.hasFill) {
    // The fill is the track cut straight at fillRight: it keeps the rounded
    // left end and meets the rounded right end only when full. Clipping the
    // track's shape to that rectangle gives exactly the intersection.
    ComPtr<ID2D1SolidColorBrush> fillBrush;
    renderTarget_->CreateSolidColorBrush(ToD2DColor(fillColor), fillBrush.put());
    if (fillBrush) {
      renderTarget_->PushAxisAlignedClip(D2D1_RECT_F{s.x0, s.y0, s.fillRight, s.y1},
                                         D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
      renderTarget_->FillRoundedRectangle(&track, fillBrush.get());
      renderTarget_->PopAxisAlignedClip();
    }
  }
  if (renderTarget_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
    renderTarget_.reset();
    drawFactory_.reset();
  }
}

}  // namespace vwi
