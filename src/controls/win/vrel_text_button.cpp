#include "controls/win/vrel_text_button.h"

#include <algorithm>

#include "app/theme.h"
#include "controls/win/d2d_colors.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

bool IsMouseButtonMessage(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK;
}

}  // namespace

CVrelTextButton::CVrelTextButton()
    : colors(StandardActionButtonColors(Palette())),
      radiusX(static_cast<float>(Metrics().actionRadiusX)),
      radiusY(static_cast<float>(Metrics().actionRadiusY)) {}

void CVrelTextButton::SetText(const std::u16string& label) {
  text = label;
  if (hwnd()) SetWindowTextW(hwnd(), Wide(label));
}

void CVrelTextButton::ResetMouseState() {
  mouse_.hover = false;
  mouse_.pressed = false;
}

bool CVrelTextButton::PreTranslateMessage(MSG& message) {
  // A disabled button swallows clicks before they reach it.
  return message.hwnd == hwnd() && !enabled && IsMouseButtonMessage(message.message);
}

std::optional<LRESULT> CVrelTextButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!enabled && IsMouseButtonMessage(message)) return 0;
  switch (message) {
    // The platform button draws itself directly on these; paint over it.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      RedrawNow();
      return result;
    }
    default:
      return std::nullopt;
  }
}

void CVrelTextButton::RedrawNow() {
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CVrelTextButton::CreateDrawingObjects() {
  if (!drawFactory_ &&
      FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory), nullptr,
                               drawFactory_.put_void()))) {
    OutputDebugStringW(L"Failed to cread Direct2D Factory");
  }
  if (drawFactory_ && !renderTarget_) {
    const D2D1_RENDER_TARGET_PROPERTIES properties{
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        {DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE},
        0.0f,
        0.0f,
        D2D1_RENDER_TARGET_USAGE_NONE,
        D2D1_FEATURE_LEVEL_DEFAULT};
    if (FAILED(drawFactory_->CreateDCRenderTarget(&properties, renderTarget_.put()))) {
      OutputDebugStringW(L"Failed to cread Direct2D Render Target");
    }
  }
  if (!writeFactory_ &&
      FAILED(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                 reinterpret_cast<IUnknown**>(writeFactory_.put())))) {
    OutputDebugStringW(L"Failed to cread Direct2D Write Factory");
  }
  if (writeFactory_ && !textFormat_) {
    const float size = static_cast<float>(ScreenDpi().dpiY * 14 / 96);
    if (SUCCEEDED(writeFactory_->CreateTextFormat(
            L"Tahoma", nullptr, DWRITE_FONT_WEIGHT_NORMAL, DWRITE_FONT_STYLE_NORMAL,
            DWRITE_FONT_STRETCH_NORMAL, size, L"", textFormat_.put()))) {
      textFormat_->SetWordWrapping(DWRITE_WORD_WRAPPING_WHOLE_WORD);
    }
  }
}

void CVrelTextButton::ReleaseDrawingObjects() {
  textFormat_.reset();
  writeFactory_.reset();
  renderTarget_.reset();
  drawFactory_.reset();
}

bool CVrelTextButton::OnPaint() {
  PaintScope paint(hwnd());
  // Objects that exist stay; a new attempt is made only after all of them
  // were released.
  if (!drawFactory_ && !renderTarget_ && !writeFactory_ && !textFormat_) CreateDrawingObjects();
  if (renderTarget_) Draw(paint.dc(), ClientRect());
  return true;
}

void CVrelTextButton::Draw(HDC dc, const RECT& client) {
  if (FAILED(renderTarget_->BindDC(dc, &client))) return;
  const float width = static_cast<float>(client.right - client.left);
  const float height = static_cast<float>(client.bottom - client.top);
  const ActionButtonLook look =
      ChooseActionButtonLook(colors, enabled, mouse_.hover, mouse_.pressed);

  renderTarget_->BeginDraw();
  renderTarget_->Clear(ToD2DColor(colors.backColor));
  ComPtr<ID2D1SolidColorBrush> fill;
  renderTarget_->CreateSolidColorBrush(ToD2DColor(look.fill), fill.put());
  if (fill) {
    const D2D1_ROUNDED_RECT shape{
        {0, 0, width, height}, ClampRadius(radiusX, width), ClampRadius(radiusY, height)};
    renderTarget_->FillRoundedRectangle(&shape, fill.get());
  }
  ComPtr<IDWriteTextLayout> layout;
  if (!text.empty() && writeFactory_ && textFormat_ &&
      SUCCEEDED(writeFactory_->CreateTextLayout(Wide(text), static_cast<UINT32>(text.size()),
                                                textFormat_.get(), width, height, layout.put()))) {
    layout->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    DWRITE_TEXT_METRICS metrics{};
    DWRITE_OVERHANG_METRICS overhang{};
    layout->GetMetrics(&metrics);
    layout->GetOverhangMetrics(&overhang);
    const int ink = InkHeight({metrics.top, metrics.height, overhang.top, overhang.bottom, height});
    const int top = LabelTop(0, client.bottom - client.top, ink);
    ComPtr<ID2D1SolidColorBrush> label;
    renderTarget_->CreateSolidColorBrush(ToD2DColor(look.text), label.put());
    if (label) {
      renderTarget_->DrawTextLayout({0, static_cast<float>(top)}, layout.get(), label.get());
    }
  }
  if (GetFocus() == hwnd()) DrawFocusRing(width, height, look.text);
  if (renderTarget_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
    ReleaseDrawingObjects();
  }
}

// A thin rounded line inside the edge, in the label's colour.
void CVrelTextButton::DrawFocusRing(float width, float height, ColorRef color) {
  ComPtr<ID2D1SolidColorBrush> ring;
  renderTarget_->CreateSolidColorBrush(ToD2DColor(color), ring.put());
  if (!ring) return;
  const float inset = 2.5f;
  const D2D1_ROUNDED_RECT shape{{inset, inset, width - inset, height - inset},
                                ClampRadius(std::max(0.0f, radiusX - inset), width - 2 * inset),
                                ClampRadius(std::max(0.0f, radiusY - inset), height - 2 * inset)};
  renderTarget_->DrawRoundedRectangle(&shape, ring.get(), 1.0f);
}

bool CVrelTextButton::OnMouseMove(UINT, POINT point) {
  if (!enabled) return true;
  // Only a move inside starts hover: while the mouse is captured, moves
  // outside would otherwise turn hover on again after every leave.
  const RECT client = ClientRect();
  if (!mouse_.tracking && PtInRect(&client, point)) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), HOVER_DEFAULT};
    if (TrackMouseEvent(&track)) {
      mouse_.tracking = true;
      mouse_.hover = true;
      RedrawNow();
    }
  }
  return true;
}

bool CVrelTextButton::OnMouseLeave() {
  mouse_.OnLeave();
  RedrawNow();
  return true;
}

bool CVrelTextButton::OnLButtonDown(UINT, POINT) {
  if (mouse_.OnLeftDown()) SetCapture(hwnd());
  Invalidate();
  return true;
}

bool CVrelTextButton::OnLButtonUp(UINT, POINT point) {
  const RECT client = ClientRect();
  const PushButtonMouse::UpResult r = mouse_.OnLeftUp(PtInRect(&client, point) != FALSE);
  if (r.releaseCapture) ReleaseCapture();
  if (r.click) {
    PostMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
  }
  Invalidate();
  return true;
}

}  // namespace vwi

namespace vwi {

// Losing the capture to someone else ends the press without a click.
bool CVrelTextButton::OnCaptureChanged(HWND) {
  if (mouse_.captured) {
    mouse_.captured = false;
    mouse_.pressed = false;
    Invalidate();
  }
  return true;
}

}  // namespace vwi
