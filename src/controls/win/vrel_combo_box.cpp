#include "controls/win/vrel_combo_box.h"

#include <algorithm>
#include <vector>

#include "controls/combo_layout.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"
#include "res/resource_ids.h"
#include "theme/theme.h"

namespace vwi {
namespace {

std::u16string ItemText(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void DrawItemText(HDC dc, const std::u16string& text, Rect box, UINT flags) {
  RECT r = ToRECT(box);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &r,
            flags);
}

}  // namespace

std::optional<LRESULT> CVrelComboBox_Edit::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message == EM_SETSEL && (GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY)) return 0;
  return std::nullopt;
}

void CVrelComboBox_ListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (static_cast<int>(item.itemID) < 0) return;
  MemoryDc buffer(item.hDC, item.rcItem);
  HDC dc = buffer.dc();
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const Rect r = FromRECT(item.rcItem);
  FillSolid(dc, r, selected ? selectedBackColor : backColor);
  const Rect text = ComboItemTextRect(r.Width(), r.Height(), ScreenDpi());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, selected ? selectedTextColor : textColor);
  SelectScope select(dc, font);
  DrawItemText(dc, ItemText(item.hwndItem, static_cast<int>(item.itemID)),
               text.Offset(r.left, r.top), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

std::optional<LRESULT> CVrelComboBox_ListBox::OnMessage(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (!wParam) SendMessageW(combo, WM_SKINCOMBO_LISTCLOSED, 0, 0);
      return std::nullopt;
    case WM_WINDOWPOSCHANGED: {
      const auto& pos = *reinterpret_cast<WINDOWPOS*>(lParam);
      if (pos.flags & SWP_HIDEWINDOW) SendMessageW(combo, WM_SKINCOMBO_LISTCLOSED, 0, 0);
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

bool CVrelComboBox_ListBox::OnNcPaint(HRGN region) {
  DefaultProc(WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  WindowDc dc(hwnd(), true);
  if (!dc.dc()) return true;
  const RECT window = WindowRect();
  RECT client = ClientRect();
  MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  ExcludeClipRect(dc.dc(), client.left, client.top, client.right, client.bottom);
  if (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VSCROLL) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (GetScrollBarInfo(hwnd(), OBJID_VSCROLL, &bar) &&
        !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
      OffsetRect(&bar.rcScrollBar, -window.left, -window.top);
      ExcludeClipRect(dc.dc(), bar.rcScrollBar.left, bar.rcScrollBar.top, bar.rcScrollBar.right,
                      bar.rcScrollBar.bottom);
    }
  }
  FillSolid(dc.dc(), {0, 0, window.right - window.left, window.bottom - window.top},
            borderFillColor);
  return true;
}

CVrelComboBox::CVrelComboBox()
    : itemHeight(ComboItemHeight(ScreenDpi())),
      font(Fonts().labelFont),
      arrow_(LoadPngResource(ImageIdForDpi(IDB_COMBO_CHEVRONS))) {
  list.font = Fonts().labelFont;
}

bool CVrelComboBox::ReadOnly() const {
  return edit.hwnd() && (GetWindowLongW(edit.hwnd(), GWL_STYLE) & ES_READONLY);
}

bool CVrelComboBox::ListShown() const {
  return SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void CVrelComboBox::OnAttached() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(hwnd(), &info)) return;
  if (info.hwndItem && info.hwndItem != hwnd() && edit.Attach(info.hwndItem)) {
    edit.combo = hwnd();
    ShowWindow(info.hwndItem, SW_HIDE);
  }
  if (info.hwndList && list.Attach(info.hwndList)) {
    list.combo = hwnd();
  }
  Layout();
}

void CVrelComboBox::Layout() {
  if (!edit.hwnd() || !arrow_ || !arrow_->bitmap) return;
  arrowFrameWidth = arrow_->width / 3;
  arrowFrameHeight = arrow_->height;
  const DpiScale& dpi = ScreenDpi();
  const RECT client = ClientRect();
  TEXTMETRICW metrics{};
  // The font's selection is undone before the device context goes back.
  if (const WindowDc window(hwnd()); window.dc()) {
    SelectScope select(window.dc(), font);
    GetTextMetricsW(window.dc(), &metrics);
  }
  const ComboBoxLayout l = ComputeComboBoxLayout(FromRECT(client), arrowFrameWidth,
                                                 arrowFrameHeight, metrics.tmHeight, dpi);
  arrowZone = l.arrowZone;
  const int editTop = (client.bottom - client.top - metrics.tmHeight) / 2;
  MoveWindow(edit.hwnd(), l.edit.left, editTop, l.edit.Width(), metrics.tmHeight, FALSE);
  if (list.hwnd()) {
    const int width = static_cast<int>(SendMessageW(hwnd(), CB_GETDROPPEDWIDTH, 0, 0));
    SetWindowPos(list.hwnd(), nullptr, 0, 0, width, ComboListHeight(dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool CVrelComboBox::OnSize(UINT type, int cx, int cy) {
  DefaultProc(WM_SIZE, type, MAKELPARAM(cx, cy));
  Layout();
  return true;
}

bool CVrelComboBox::OnPaint() {
  PaintScope paint(hwnd());
  Paint(paint.dc(), ClientRect());
  return true;
}

void CVrelComboBox::Paint(HDC target, const RECT& client) {
  MemoryDc buffer(target, client);
  HDC dc = buffer.dc();
  const Rect c = FromRECT(client);
  FillSolid(dc, c, backColor);
  int textHeight = 0;
  TEXTMETRICW metrics{};
  {
    SelectScope select(dc, font);
    if (GetTextMetricsW(dc, &metrics)) textHeight = metrics.tmHeight;
  }
  const int frameWidth = arrow_ && arrow_->bitmap ? arrow_->width / 3 : 0;
  const int frameHeight = arrow_ && arrow_->bitmap ? arrow_->height : 0;
  const ComboBoxLayout l =
      ComputeComboBoxLayout(c, frameWidth, frameHeight, textHeight, ScreenDpi());
  FillSolid(dc, l.strip, arrowStripColor);
  if (frameWidth > 0) {
    BlendBitmap(dc, arrow_->bitmap, ComboChevronFrame(hover) * frameWidth, 0, frameWidth,
                frameHeight, l.chevron.x, l.chevron.y);
  }
  if (ReadOnly() || !edit.hwnd()) {
    const int selected = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    const std::u16string text = selected < 0 ? placeholder : ItemText(hwnd(), selected);
    if (!text.empty()) {
      SelectScope select(dc, font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, selected < 0 ? placeholderColor : textColor);
      DrawItemText(dc, text, l.text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  FrameSolid(dc, c, hover ? hoverBorderColor : borderColor);
}

bool CVrelComboBox::OnLButtonDown(UINT, POINT point) {
  // Read the list's state first: moving the focus from the hidden edit field
  // to the box closes the list, and the click would open it again.
  const bool wasShown = ListShown();
  HWND focus = GetFocus();
  if (focus != hwnd() && !IsChild(hwnd(), focus)) SetFocus(hwnd());
  const bool nearChevron = arrowZone.Contains({point.x, point.y});
  if (ReadOnly() || nearChevron) {
    SendMessageW(hwnd(), CB_SHOWDROPDOWN, !wasShown, 0);
    if (edit.hwnd()) SendMessageW(edit.hwnd(), EM_SETSEL, 0, 0);
  }
  const RECT zone = ToRECT(arrowZone);
  InvalidateRect(hwnd(), &zone, FALSE);
  return true;
}

bool CVrelComboBox::OnMouseMove(UINT, POINT) {
  if (!tracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), HOVER_DEFAULT};
    tracking = TrackMouseEvent(&track) != FALSE;
    hover = true;
    Invalidate();
  }
  return false;
}

bool CVrelComboBox::OnMouseLeave() {
  tracking = false;
  if (!ListShown()) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const RECT window = WindowRect();
    if (!PtInRect(&window, cursor)) hover = false;
    Invalidate();
  }
  return true;
}

std::optional<LRESULT> CVrelComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SKINCOMBO_LISTCLOSED:
      hover = false;
      Invalidate();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      Invalidate();
      return result;
    }
    case WM_CTLCOLORLISTBOX:
      KeepListOnScreen();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> CVrelComboBox::OnReflectedMessage(UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    list.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_DROPDOWN) UpdateDroppedWidth();
  return std::nullopt;
}

void CVrelComboBox::UpdateDroppedWidth() {
  ComboWidthInputs in;
  const WindowDc screen(hwnd());
  const HDC dc = screen.dc();
  if (!dc) return;
  {
    SelectScope select(dc, font);
    const int count = static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      const std::u16string text = ItemText(hwnd(), i);
      SIZE size{};
      GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                            static_cast<int>(text.size()), &size);
      in.itemTextWidths.push_back(size.cx);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    in.averageCharWidth = metrics.tmAveCharWidth;
  }
  in.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  in.edgeWidth = GetSystemMetrics(SM_CXEDGE);
  const RECT window = WindowRect();
  in.boxWidth = window.right - window.left;
  SendMessageW(hwnd(), CB_SETDROPPEDWIDTH, ComboDroppedWidth(in, ScreenDpi()), 0);
}

void CVrelComboBox::KeepListOnScreen() {
  if (!list.hwnd()) return;
  const RECT box = WindowRect();
  RECT listRect{};
  GetWindowRect(list.hwnd(), &listRect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const int shift = ComboListShift(box.left, listRect.right, monitor.rcMonitor.right);
  if (shift > 0) {
    SetWindowPos(list.hwnd(), nullptr, listRect.left - shift, listRect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace vwi
