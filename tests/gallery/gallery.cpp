// The controls gallery: a skinned frame holding every skinned control, each
// in a state of its own, and a layout file that says where they are.
//
//   vwi_gallery.exe LAYOUT_FILE [open-combo]
//
// LAYOUT_FILE receives one line per control, "name left top right bottom" in
// screen pixels, once the window is shown, and "click ID" for every command
// the action button or the caption sends. The window closes through its
// caption Close button (exit code 2) or after two minutes (exit code 3).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/win/vrel_button.h"
#include "controls/win/vrel_combo_box.h"
#include "controls/win/vrel_dialog.h"
#include "controls/win/vrel_edit.h"
#include "controls/win/vrel_progress.h"
#include "controls/win/vrel_slide_show.h"
#include "controls/win/vrel_static.h"
#include "controls/win/vrel_text_button.h"
#include "platform/win/unique_handle.h"
#include "theme/theme.h"

namespace vwi {
namespace {

constexpr UINT kGalleryTemplate = 300;
constexpr UINT_PTR kReportTimer = 7;
constexpr UINT_PTR kGiveUpTimer = 8;

RECT Scaled(int x, int y, int w, int h) {
  return RECT{ScaleX(x), ScaleY(y), ScaleX(x) + ScaleX(w), ScaleY(y) + ScaleY(h)};
}

void Place(HWND control, const RECT& r) {
  MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

// A solid picture with a light band, standing in for a slide photograph.
HBITMAP MakeSlide(HDC screen, int w, int h, COLORREF face, COLORREF band) {
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH faceBrush = CreateSolidBrush(face), bandBrush = CreateSolidBrush(band);
  RECT all{0, 0, w, h}, stripe{0, h / 2 - h / 10, w, h / 2 + h / 10};
  FillRect(dc, &all, faceBrush);
  FillRect(dc, &stripe, bandBrush);
  DeleteObject(faceBrush);
  DeleteObject(bandBrush);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

class GalleryDialog : public CVrelDialog {
 public:
  GalleryDialog(std::wstring layoutFile, bool openCombo)
      : CVrelDialog(kGalleryTemplate), layoutFile_(std::move(layoutFile)), openCombo_(openCombo) {}

 protected:
  bool OnInitDialog() override {
    CVrelDialog::OnInitDialog();
    showIconAndTitle = true;
    icon_ = UniqueIcon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101), IMAGE_ICON, ScaleX(32), ScaleY(32), 0)));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SetWindowTextW(hwnd(), L"Vimzee controls");
    SetUpActionButtons();
    SetUpFlatButtons();
    SetUpStatics();
    SetUpEdits();
    SetUpCombos();
    SetUpProgress();
    SetUpSlideShow();
    SetWindowPos(hwnd(), nullptr, 40, 40, ScaleX(720), ScaleY(540), SWP_NOZORDER);
    SetTimer(kReportTimer, 500);
    SetTimer(kGiveUpTimer, 120000);
    return false;  // the focus stays in the edit box
  }

  void OnLayout(const RECT&) override {}

  bool OnTimer(UINT_PTR id) override {
    if (id == kGiveUpTimer) {
      EndDialog(3);
      return true;
    }
    if (id != kReportTimer) return false;
    KillTimer(kReportTimer);
    if (openCombo_) SendMessageW(comboOpen_.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    WriteLayout();
    return true;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (control && (id == 1001 || id == 1101) && code == BN_CLICKED) {
      Log("click " + std::to_string(id));
      return true;
    }
    return false;
  }

  void OnCancel() override {
    Log("close");
    EndDialog(2);
  }

 private:
  void SetUpActionButtons() {
    const wchar_t* labels[] = {L"Install", L"Hover", L"Pressed", L"Disabled"};
    for (int i = 0; i < 4; ++i) {
      CVrelTextButton& b = action_[i];
      b.AttachDlgItem(hwnd(), 1001 + i);
      b.SetText(FromWideText(labels[i]));
      Place(b.hwnd(), Scaled(20 + i * 170, 20, 150, 40));
    }
    action_[1].mouse().hover = true;
    action_[2].mouse().pressed = true;
    action_[3].enabled = false;
  }

  void SetUpFlatButtons() {
    const ThemePalette& p = Palette();
    const int images[] = {153, 157, 165, 161};
    for (int i = 0; i < 4; ++i) {
      CVrelButton& b = flat_[i];
      b.AttachDlgItem(hwnd(), 1101 + i);
      b.SetAppearance(p.panelBackground, p.panelBackground, p.panelBackground, p.panelBackground,
                      u"");
      if (auto image = LoadPngResource(ImageIdForDpi(images[i]))) b.SetImage(*image);
      Place(b.hwnd(), Scaled(20 + i * 40, 80, 30, 30));
    }
    flat_[2].mouse().hover = true;
    CVrelButton& browse = flat_[4];
    browse.AttachDlgItem(hwnd(), 1105);
    browse.SetAppearance(p.fieldButton, MakeRgb(85, 86, 90), MakeRgb(55, 56, 60),
                         MakeRgb(54, 138, 211), u"...");
    browse.mouse().pressed = true;
    Place(browse.hwnd(), Scaled(190, 80, 40, 30));
    wordmark_.AttachDlgItem(hwnd(), 1203);
    wordmark_.SetAppearance(p.panelBackground, p.panelBackground, p.panelBackground,
                            p.panelBackground, u"");
    if (auto image = LoadPngResource(ImageIdForDpi(129))) wordmark_.SetImage(*image);
    Place(wordmark_.hwnd(), Scaled(400, 80, 300, 40));
  }

  void SetUpStatics() {
    const ThemePalette& p = Palette();
    label_.AttachDlgItem(hwnd(), 1201);
    label_.text = u"Installation folder:";
    label_.font = Fonts().labelFont;
    label_.textColor = p.labelText;
    label_.backColor = p.panelBackground;
    label_.format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    Place(label_.hwnd(), Scaled(20, 130, 200, 24));
    link_.AttachDlgItem(hwnd(), 1202);
    link_.text = u"I accept the licence terms";
    link_.font = Fonts().linkFont;
    link_.textColor = MakeRgb(23, 190, 244);
    link_.backColor = p.panelBackground;
    link_.showHandCursor = true;
    link_.focused = true;
    link_.format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    Place(link_.hwnd(), Scaled(230, 130, 220, 24));
  }

  void SetUpEdits() {
    const ThemePalette& p = Palette();
    for (int i = 0; i < 2; ++i) {
      CVrelEdit& e = edit_[i];
      e.AttachDlgItem(hwnd(), 1301 + i);
      e.borderColor = p.fieldBackground;
      e.focusBorderColor = MakeRgb(54, 138, 211);
      e.SetBackColor(p.fieldBackground);
      e.textColor = MakeRgb(255, 255, 255);
      SendMessageW(e.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Fonts().labelFont), TRUE);
      Place(e.hwnd(), Scaled(20 + i * 340, 170, 320, 28));
      SetFocus(e.hwnd());
    }
    SetWindowTextW(edit_[0].hwnd(), L"C:\\Program Files\\Vimzee");
    SetWindowTextW(edit_[1].hwnd(), L"Read-only");
    edit_[0].focused = true;
    SetFocus(edit_[0].hwnd());
  }

  void SetUpCombo(CVrelComboBox& combo, int id, int x) {
    const ThemePalette& p = Palette();
    combo.AttachDlgItem(hwnd(), id);
    combo.backColor = p.fieldBackground;
    combo.arrowStripColor = p.fieldButton;
    combo.borderColor = p.fieldBackground;
    combo.font = Fonts().labelFont;
    SendMessageW(combo.edit.hwnd(), EM_SETREADONLY, TRUE, 0);
    for (const wchar_t* item : {L"English", L"Deutsch", L"Fran\u00e7ais", L"Espa\u00f1ol",
                                L"Italiano", L"Nederlands", L"Polski", L"Portugu\u00eas"}) {
      SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo.hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ScaleY(28) - 6);
    SendMessageW(combo.hwnd(), CB_SETITEMHEIGHT, 0, ComboItemHeightPx());
    SendMessageW(combo.hwnd(), CB_SETCURSEL, 0, 0);
    const RECT r = Scaled(x, 220, 200, 28);
    MoveWindow(combo.hwnd(), r.left, r.top, r.right - r.left,
               r.bottom - r.top + 7 * ComboItemHeightPx(), FALSE);
  }
  static int ComboItemHeightPx() { return ScreenDpi().dpiY * 22 / 96; }

  void SetUpCombos() {
    SetUpCombo(comboClosed_, 1401, 20);
    SetUpCombo(comboOpen_, 1402, 240);
    comboClosed_.placeholder = u"Choose";
    SendMessageW(comboClosed_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }

  void SetUpProgress() {
    const ThemePalette& p = Palette();
    const int positions[] = {0, 425, 1000};
    for (int i = 0; i < 3; ++i) {
      CVrelProgress& bar = progress_[i];
      bar.CreateChild(hwnd(), Scaled(20, 400 + i * 24, 400, 20), 1500 + i);
      bar.backgroundColor = p.panelBackground;
      bar.trackColor = p.progressTrack;
      bar.fillColor = p.progressFill;
      bar.range = 1000;
      bar.position = positions[i];
      bar.barRect = RECT{0, 0, ScaleX(400), ScaleY(6)};
    }
  }

  void SetUpSlideShow() {
    HDC screen = GetDC(nullptr);
    slideBitmaps_.emplace_back(
        MakeSlide(screen, ScaleX(240), ScaleY(120), RGB(230, 120, 30), RGB(250, 200, 120)));
    slideBitmaps_.emplace_back(
        MakeSlide(screen, ScaleX(240), ScaleY(120), RGB(40, 170, 90), RGB(150, 230, 170)));
    ReleaseDC(nullptr, screen);
    CVrelSliderShowCtrl::FreezeClockForTesting(7.8);  // half-way through the first slide
    slides_.CreateChild(hwnd(), Scaled(440, 270, 260, 150), 1600);
    for (const UniqueBitmap& b : slideBitmaps_) {
      slides_.slides.push_back({ScaleX(240), ScaleY(120), b.get()});
    }
  }

  static std::u16string FromWideText(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
  }

  void WriteRect(FILE* f, const char* name, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    std::fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
  }

  void WriteLayout() {
    FILE* f = _wfopen(layoutFile_.c_str(), L"wb");
    if (!f) return;
    std::fprintf(f, "dpi %d %d\n", ScreenDpi().dpiX, ScreenDpi().dpiY);
    WriteRect(f, "window", hwnd());
    RECT client = ClientRect();
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::fprintf(f, "client %ld %ld %ld %ld\n", client.left, client.top, client.right,
                 client.bottom);
    const char* actions[] = {"action_normal", "action_hover", "action_pressed", "action_disabled"};
    for (int i = 0; i < 4; ++i) WriteRect(f, actions[i], action_[i].hwnd());
    WriteRect(f, "check_ticked", flat_[0].hwnd());
    WriteRect(f, "browse_pressed", flat_[4].hwnd());
    WriteRect(f, "edit_focused", edit_[0].hwnd());
    WriteRect(f, "edit_readonly", edit_[1].hwnd());
    WriteRect(f, "combo_closed", comboClosed_.hwnd());
    WriteRect(f, "combo_open", comboOpen_.hwnd());
    if (comboOpen_.list.hwnd() && IsWindowVisible(comboOpen_.list.hwnd())) {
      WriteRect(f, "combo_list", comboOpen_.list.hwnd());
    }
    const char* bars[] = {"progress_0", "progress_425", "progress_1000"};
    for (int i = 0; i < 3; ++i) WriteRect(f, bars[i], progress_[i].hwnd());
    WriteRect(f, "slides", slides_.hwnd());
    std::fprintf(f, "ready\n");
    std::fclose(f);
  }

  void Log(const std::string& line) {
    if (FILE* f = _wfopen(layoutFile_.c_str(), L"ab")) {
      std::fprintf(f, "%s\n", line.c_str());
      std::fclose(f);
    }
  }

  std::wstring layoutFile_;
  bool openCombo_;
  UniqueIcon icon_;
  CVrelTextButton action_[4];
  CVrelButton flat_[5];
  CVrelButton wordmark_;
  CVrelStatic label_;
  CVrelStatic link_;
  CVrelEdit edit_[2];
  CVrelComboBox comboClosed_;
  CVrelComboBox comboOpen_;
  CVrelProgress progress_[3];
  CVrelSliderShowCtrl slides_;
  std::vector<UniqueBitmap> slideBitmaps_;
};

}  // namespace
}  // namespace vwi

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring layout = argc > 1 ? argv[1] : L"gallery-layout.txt";
  const bool openCombo = argc > 2 && std::wstring(argv[2]) == L"open-combo";
  LocalFree(argv);
  vwi::InitTheme();
  vwi::GalleryDialog dialog(layout, openCombo);
  const INT_PTR result = dialog.DoModal();
  vwi::ReleaseTheme();
  return static_cast<int>(result);
}
