#include "controls/win/vrel_dialog.h"

#include <string>

#include "controls/frame_geometry.h"
#include "controls/win/draw.h"
#include "controls/window_placement.h"
#include "platform/win/gdi_scope.h"
#include "theme/theme.h"
#include "theme/win/theme_font.h"

namespace vwi {

namespace {

// The user's choice to see focus marks and access keys always.
bool KeyboardCuesAlwaysShown() {
  BOOL always = FALSE;
  return SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

}  // namespace

CVrelDialog::CVrelDialog(UINT templateId)
    : Dialog(templateId),
      captionFont_(CreateThemeFont(CaptionFontStyle(ScreenDpi()))),
      cues_(KeyboardCuesAlwaysShown()) {}

void CVrelDialog::KeyboardUsed() {
  if (cues_.KeyboardUsed()) {
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

bool CVrelDialog::HasMaximizeStyle() const {
  return (GetWindowLongW(hwnd(), GWL_STYLE) & WS_MAXIMIZE) != 0;
}

Point CVrelDialog::ToWindowPoint(POINT screen) const {
  const RECT w = WindowRect();
  return {screen.x - w.left, screen.y - w.top};
}

bool CVrelDialog::OnInitDialog() {
  // The window's non-client part was made before this object was bound, so
  // the buttons are made now and the frame is computed again.
  CreateCaptionButtons();
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyWindowShape();
  return true;
}

void CVrelDialog::CentreOnPointerMonitor() {
  POINT pointer{};
  GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT window = WindowRect();
  const Point at = CentredOnWorkArea(window.right - window.left, window.bottom - window.top,
                                     FromRECT(monitor.rcWork));
  SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVrelDialog::CreateCaptionButtons() {
  std::array<const CImageWrapper*, 4> images{};
  glyphs_.clear();
  for (int id = 0; id < 4; ++id) {
    glyphs_.push_back(LoadPngResource(ImageIdForDpi(kCaptionGlyphBase[id])));
    images[id] = glyphs_.back().get();
  }
  captionBar_.Create(ScreenDpi(), Palette(), images, HasMaximizeStyle());
  relayoutPending_ = true;
}

std::optional<LRESULT> CVrelDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCMOUSEHOVER) {
    captionBar_.nonClientTracking = true;
    return 0;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

std::optional<LRESULT> CVrelDialog::OnNcCalcSize(bool validRects, LPARAM lParam) {
  if (!validRects) return 0;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  const bool maximized = IsZoomed(hwnd()) != FALSE;
  params->rgrc[0] = ToRECT(FrameClientRect(FromRECT(params->rgrc[0]), maximized, ScreenDpi()));
  captionBar_.SetMaximized(maximized);
  relayoutPending_ = true;
  return 0;
}

void CVrelDialog::ApplyWindowShape() {
  const RECT w = WindowRect();
  const Rect r = FrameRegionRect(w.right - w.left, w.bottom - w.top, IsZoomed(hwnd()) != FALSE);
  SetWindowRgn(hwnd(), CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, 0, 0), TRUE);
}

bool CVrelDialog::OnSize(UINT, int, int) {
  ApplyWindowShape();
  OnLayout(ClientRect());
  return true;
}

std::optional<LRESULT> CVrelDialog::OnEraseBkgnd(HDC dc) {
  FillSolid(dc, FromRECT(ClientRect()), Palette().panelBackground);
  return TRUE;
}

bool CVrelDialog::OnNcPaint(HRGN) {
  RedrawFrame();
  return true;
}

void CVrelDialog::RedrawFrame() {
  if (!hwnd()) return;
  WindowDc dc(hwnd(), true);
  if (dc.dc()) PaintFrame(dc.dc());
}

void CVrelDialog::PaintFrame(HDC windowDc) {
  const DpiScale& dpi = ScreenDpi();
  const RECT window = WindowRect();
  const bool maximized = IsZoomed(hwnd()) != FALSE;
  int overhang = 0;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (maximized && GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor) &&
      window.left < monitor.rcWork.left) {
    overhang = monitor.rcWork.left - window.left;
  }
  const int width = window.right - window.left, height = window.bottom - window.top;
  const RECT client = ClientRect();
  const FramePaintLayout f =
      ComputeFramePaintLayout(width, height, client.right, client.bottom, overhang, maximized, dpi);
  if (relayoutPending_) {
    captionBar_.Layout(f.layout, dpi);
    relayoutPending_ = false;
  }
  ExcludeClipRect(windowDc, f.clientArea.left, f.clientArea.top, f.clientArea.right,
                  f.clientArea.bottom);

  MemoryDc buffer(windowDc, RECT{0, 0, width, height});
  HDC dc = buffer.dc();
  const ThemePalette& palette = Palette();
  FillSolid(dc, {0, 0, width, height}, palette.frameBackground);
  for (const Rect& strip : {f.borderTop, f.borderBottom, f.borderLeft, f.borderRight}) {
    FillSolid(dc, strip, palette.frameBorder);
  }
  captionBar_.SetMaximized(maximized);
  for (const CaptionButton& button : captionBar_.buttons())
    DrawCaptionButton(dc, button, f.caption);
  if (showIconAndTitle) DrawIconAndTitle(dc, f.caption);
}

void CVrelDialog::DrawCaptionButton(HDC dc, const CaptionButton& b, const Rect& caption) {
  // A button without a box (Maximize and Restore of a window that cannot be
  // maximised) is never drawn.
  if (!b.visible || !b.bitmap || caption.Empty() || b.rect.Empty()) return;
  FillSolid(dc, b.rect, b.BoxColor());
  const Size frame = StripFrameSize(b.imageWidth, b.imageHeight, b.frameCount, b.horizontalFrames);
  BlendBitmap(dc, b.bitmap, 0, 0, frame.width, frame.height, b.imageRect.left, b.imageRect.top,
              b.GlyphAlpha());
}

void CVrelDialog::DrawIconAndTitle(HDC dc, Rect caption) {
  const DpiScale& dpi = ScreenDpi();
  HICON icon = captionIcon ? captionIcon
                           : reinterpret_cast<HICON>(SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0));
  wchar_t title[512] = {};
  GetWindowTextW(hwnd(), title, 512);
  const int length = lstrlenW(title);
  SIZE extent{};
  if (length > 0) {
    SelectScope font(dc, captionFont_.get());
    GetTextExtentPoint32W(dc, title, length, &extent);
  }
  int buttonsLeft = caption.right;
  for (const CaptionButton& button : captionBar_.buttons()) {
    if (button.visible && !button.rect.Empty())
      buttonsLeft = std::min(buttonsLeft, button.rect.left);
  }
  const CaptionTitleLayout t =
      ComputeCaptionTitleLayout(caption, icon != nullptr, extent.cy, dpi, buttonsLeft);
  if (icon) {
    DrawIconEx(dc, t.icon.left, t.icon.top, icon, t.icon.Width(), t.icon.Height(), 0, nullptr,
               DI_NORMAL);
  }
  if (length == 0) return;
  SelectScope font(dc, captionFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Palette().captionText);
  RECT r = ToRECT(t.title);
  DrawTextW(dc, title, length, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool CVrelDialog::OnNcMouseMove(UINT, POINT screen) {
  if (!captionBar_.nonClientTracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, hwnd(), 1};
    captionBar_.nonClientTracking = TrackMouseEvent(&track) != FALSE;
  }
  const CaptionBar::MoveResult r = captionBar_.OnMouseMove(ToWindowPoint(screen));
  if (r.repaint) RedrawFrame();
  // Returning false hands the move to the platform's default handling.
  return !r.runDefault;
}

bool CVrelDialog::OnNcMouseLeave() {
  if (captionBar_.OnMouseLeave()) RedrawFrame();
  return true;
}

bool CVrelDialog::OnNcLButtonDown(UINT hitTest, POINT screen) {
  const CaptionBar::DownResult r = captionBar_.OnLeftDown(ToWindowPoint(screen), hitTest);
  if (r.repaint) RedrawFrame();
  return !r.passToPlatform;
}

bool CVrelDialog::OnNcLButtonUp(UINT, POINT screen) {
  const CaptionBar::UpResult r = captionBar_.OnLeftUp(ToWindowPoint(screen), HasMaximizeStyle());
  Perform(r.command);
  if (r.repaint && hwnd()) RedrawFrame();
  return true;
}

bool CVrelDialog::OnNcLButtonDblClk(UINT, POINT screen) {
  Perform(captionBar_.OnDoubleClick(ToWindowPoint(screen), HasMaximizeStyle(),
                                    IsZoomed(hwnd()) != FALSE));
  return true;
}

void CVrelDialog::Perform(CaptionCommand command) {
  static_assert(static_cast<UINT>(CaptionCommand::kClose) == SC_CLOSE &&
                static_cast<UINT>(CaptionCommand::kMinimize) == SC_MINIMIZE &&
                static_cast<UINT>(CaptionCommand::kMaximize) == SC_MAXIMIZE &&
                static_cast<UINT>(CaptionCommand::kRestore) == SC_RESTORE);
  if (command != CaptionCommand::kNone && hwnd()) {
    SendMessageW(hwnd(), WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
  }
}

}  // namespace vwi
