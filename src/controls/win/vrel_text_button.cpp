#include "controls/win/vrel_text_button.h"

#include "controls/win/shared_drawing.h"

#include <algorithm>

#include "controls/win/d2d_colors.h"
#include "controls/win/draw.h"
#include "platform/win/wide.h"
#include "theme/theme.h"

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

bool CVrelTextButton::PreTranslateMessage(MSG& message) {
  // A disabled button swallows clicks before they reach it.
  return message.hwnd == hwnd() && !enabled && IsMouseButtonMessage(message.message);
}

AccessibleFacts CVrelTextButton::Describe() const {
  AccessibleFacts facts;
  facts.available = enabled;
  return facts;
}

std::optional<LRESULT> CVrelTextButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) return AnswerAccessibility(message, wParam, lParam);
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

// The label's format follows the screen's DPI; the render target and the
// text factory are the controls' shared ones.
IDWriteTextFormat* CVrelTextButton::TextFormat() {
  IDWriteFactory* factory = shared_drawing::TextFactory();
  if (!textFormat_ && factory) {
    const float size = static_cast<float>(ScreenDpi().dpiY * 14 / 96);
    if (SUCCEEDED(factory->CreateTextFormat(L"Tahoma", nullptr, DWRITE_FONT_WEIGHT_NORMAL,
                                            DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL,
                                            size, L"", textFormat_.put()))) {
      textFormat_->SetWordWrapping(DWRITE_WORD_WRAPPING_WHOLE_WORD);
    }
  }
  return textFormat_.get();
}

bool CVrelTextButton::OnPaint() {
  shared_drawing::PaintWindow(
      hwnd(), ToD2DColor(colors.backColor),
      [this](ID2D1DCRenderTarget& target, const RECT& client) { Draw(target, client); });
  return true;
}

void CVrelTextButton::Draw(ID2D1DCRenderTarget& target, const RECT& client) {
  const float width = static_cast<float>(client.right - client.left);
  const float height = static_cast<float>(client.bottom - client.top);
  const ActionButtonLook look =
      ChooseActionButtonLook(colors, enabled, mouse_.hover, mouse_.pressed);

  ComPtr<ID2D1SolidColorBrush> fill;
  target.CreateSolidColorBrush(ToD2DColor(look.fill), fill.put());
  if (fill) {
    const D2D1_ROUNDED_RECT shape{
        {0, 0, width, height}, ClampRadius(radiusX, width), ClampRadius(radiusY, height)};
    target.FillRoundedRectangle(&shape, fill.get());
  }
  ComPtr<IDWriteTextLayout> layout;
  IDWriteFactory* factory = shared_drawing::TextFactory();
  IDWriteTextFormat* format = TextFormat();
  if (!text.empty() && factory && format &&
      SUCCEEDED(factory->CreateTextLayout(Wide(text), static_cast<UINT32>(text.size()), format,
                                          width, height, layout.put()))) {
    layout->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    DWRITE_TEXT_METRICS metrics{};
    DWRITE_OVERHANG_METRICS overhang{};
    layout->GetMetrics(&metrics);
    layout->GetOverhangMetrics(&overhang);
    const int ink = InkHeight({metrics.top, metrics.height, overhang.top, overhang.bottom, height});
    const int top = LabelTop(0, client.bottom - client.top, ink);
    ComPtr<ID2D1SolidColorBrush> label;
    target.CreateSolidColorBrush(ToD2DColor(look.text), label.put());
    if (label) {
      target.DrawTextLayout({0, static_cast<float>(top)}, layout.get(), label.get());
    }
  }
  if (ShowsFocusMark(hwnd())) DrawFocusRing(target, width, height, look.text);
}

// A thin rounded line inside the edge, in the label's colour.
void CVrelTextButton::DrawFocusRing(ID2D1DCRenderTarget& target, float width, float height,
                                    ColorRef color) {
  ComPtr<ID2D1SolidColorBrush> ring;
  target.CreateSolidColorBrush(ToD2DColor(color), ring.put());
  if (!ring) return;
  const float inset = 2.5f;
  const D2D1_ROUNDED_RECT shape{{inset, inset, width - inset, height - inset},
                                ClampRadius(std::max(0.0f, radiusX - inset), width - 2 * inset),
                                ClampRadius(std::max(0.0f, radiusY - inset), height - 2 * inset)};
  target.DrawRoundedRectangle(&shape, ring.get(), 1.0f);
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

}  // namespace vwi

namespace vwi {

// Losing the capture to someone else ends the press without a click.

}  // namespace vwi
