#include "wizard/win/setting_panel.h"

#include <algorithm>
#include <utility>

#include "localisation/region_consent.h"
#include "localisation/ui_string_keys.h"
#include "localisation/ui_text_format.h"
#include "platform/message_box.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/wide.h"
#include "platform/win/win_message_box.h"
#include "res/resource_ids.h"
#include "theme/theme.h"
#include "wizard/install_folder.h"
#include "wizard/settings_section.h"
#include "wizard/win/folder_chooser.h"
#include "wizard/win/install_guide.h"
#include "wizard/win/shell_open.h"

namespace vwi {
namespace {

constexpr int kChevronDownImage = IDB_EXPANDER_DOWN;
constexpr int kChevronUpImage = IDB_EXPANDER_UP;
constexpr ColorRef kLinkColor = MakeRgb(89, 134, 178);
constexpr ColorRef kFocusBorderColor = MakeRgb(54, 138, 211);
constexpr ColorRef kSeparatorColor = MakeRgb(40, 40, 40);
constexpr UINT kBottomLine = DT_SINGLELINE | DT_WORDBREAK | DT_BOTTOM;
constexpr UINT kRowLabel = DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER | DT_RIGHT;

// The file-association levels in the order the box lists them; an item's
// index is the level's value.
constexpr const StringKey* kAssociationItems[] = {
    &IDS_FILE_ASSOCIATE_ALL, &IDS_FILE_ASSOCIATE_UNUSED, &IDS_FILE_ASSOCIATE_NONE};

Size TextSize(HWND control, HFONT font) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  WindowDc screen(nullptr);
  SelectScope selected(screen.dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  GetTextExtentPoint32W(screen.dc(), text.c_str(), length, &extent);
  return {extent.cx, extent.cy};
}

void ShowImage(CVrelButton& button, int baseImage) {
  if (auto image = LoadPngResource(ImageIdForDpi(baseImage))) button.SetImage(*image);
}

}  // namespace

CSettingPanel::CSettingPanel(GuideEnvironment& environment)
    : CGuidePanel(IDD_SETTING_PANEL, environment) {}

bool CSettingPanel::OnInitDialog() {
  CGuidePanel::OnInitDialog();
  AttachControls();
  SetUpAppearance();
  NameImageButtons();
  FillLanguageBox();
  ShowFolder(env_.choices.installFolder);
  accepted = !RegionRequiresConsent();
  UpdateAcceptBox();
  UpdateExpander();
  icon_.reset(LoadProgramIcon(ScaleX(64)));
  return false;
}

void CSettingPanel::AttachControls() {
  HWND self = hwnd();
  install_.AttachDlgItem(self, IDC_INSTALL);
  acceptBox_.AttachDlgItem(self, IDC_ACCEPT_BOX);
  acceptLabel_.AttachDlgItem(self, IDC_ACCEPT_LABEL);
  licenseLink_.AttachDlgItem(self, IDC_LICENSE_LINK);
  settingsLabel_.AttachDlgItem(self, IDC_SETTINGS_LABEL);
  expander_.AttachDlgItem(self, IDC_SETTINGS_EXPANDER);
  languageLabel_.AttachDlgItem(self, IDC_LANGUAGE_LABEL);
  languageBox_.AttachDlgItem(self, IDC_LANGUAGE_BOX);
  associationLabel_.AttachDlgItem(self, IDC_ASSOCIATION_LABEL);
  associationBox_.AttachDlgItem(self, IDC_ASSOCIATION_BOX);
  folderLabel_.AttachDlgItem(self, IDC_FOLDER_LABEL);
  folderEdit_.AttachDlgItem(self, IDC_FOLDER_EDIT);
  browse_.AttachDlgItem(self, IDC_BROWSE);
}

void CSettingPanel::SetUpAppearance() {
  const ThemePalette& p = Palette();
  const ThemeFonts& fonts = Fonts();
  const ColorRef back = p.panelBackground;
  acceptLabel_.Style(fonts.labelFont, p.labelText, back, kBottomLine);
  licenseLink_.Style(fonts.linkFont, kLinkColor, back, kBottomLine);
  licenseLink_.showHandCursor = true;
  licenseLink_.accessible = AccessibleFacts{.role = AccessibleRole::kLink};
  settingsLabel_.Style(fonts.labelFont, p.labelText, back, kBottomLine | DT_RIGHT);
  for (CVrelStatic* label : {&languageLabel_, &associationLabel_, &folderLabel_}) {
    label->Style(fonts.labelFont, p.labelText, back, kRowLabel);
    label->showHandCursor = true;
  }
  ShowTexts();

  for (CVrelButton* box : {&acceptBox_, &expander_}) {
    box->SetAppearance(p.panelBackground, p.panelBackground, p.panelBackground, p.panelBackground,
                       u"");
  }
  browse_.SetAppearance(p.fieldButton, p.fieldButton, p.fieldButton, p.fieldButton, u"...");

  SetUpCombo(languageBox_);
  SetUpCombo(associationBox_);
  // The language and association rows are filled but stay hidden.
  for (HWND hidden : {languageLabel_.hwnd(), languageBox_.hwnd(), associationLabel_.hwnd(),
                      associationBox_.hwnd()}) {
    ShowWindow(hidden, SW_HIDE);
  }
  FillAssociationBox();

  folderEdit_.borderColor = p.fieldBackground;
  folderEdit_.focusBorderColor = kFocusBorderColor;
  folderEdit_.SetBackColor(p.fieldBackground);
  folderEdit_.textColor = MakeRgb(255, 255, 255);
  folderEdit_.pasteAllowed = true;
}

void CSettingPanel::ShowTexts() {
  const UiStringCatalogue& strings = env_.context.strings;
  install_.SetText(strings.LookupUiString(IDS_INSTALL));
  install_.Invalidate(true);
  acceptLabel_.SetText(strings.LookupUiString(IDS_ACCEPT_LICENSE_TERMS));
  licenseLink_.SetText(strings.LookupUiString(IDS_LINK_LICENSE_TERMS));
  settingsLabel_.SetText(strings.LookupUiString(IDS_INSTALL_SETTINGS));
  languageLabel_.SetText(strings.LookupUiString(IDS_SELECT_LANG));
  associationLabel_.SetText(strings.LookupUiString(IDS_FILE_ASSOCIATION));
  folderLabel_.SetText(strings.LookupUiString(IDS_INSTALL_FOLDER));
}

void CSettingPanel::SetUpCombo(CVrelComboBox& combo) {
  const ThemePalette& p = Palette();
  combo.backColor = p.fieldBackground;
  combo.borderColor = p.fieldBackground;
  combo.arrowStripColor = p.fieldButton;
  combo.font = Fonts().labelFont;
  combo.list.font = Fonts().labelFont;
  SendMessageW(combo.edit.hwnd(), EM_SETREADONLY, TRUE, 0);
  const int itemHeight = SettingComboItemHeight(ScreenDpi());
  SendMessageW(combo.hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
  SendMessageW(combo.hwnd(), CB_SETITEMHEIGHT, 0, itemHeight);
}

void CSettingPanel::FillAssociationBox() {
  for (const StringKey* item : kAssociationItems) {
    const std::u16string text = env_.context.strings.LookupUiString(*item);
    SendMessageW(associationBox_.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
  }
  SendMessageW(associationBox_.hwnd(), CB_SETCURSEL, env_.choices.fileAssociation, 0);
}

void CSettingPanel::FillLanguageBox() {
  const std::vector<LanguageEntry>& languages = env_.context.languages;
  int selected = 0;
  for (size_t i = 0; i < languages.size(); ++i) {
    SendMessageW(languageBox_.hwnd(), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(languages[i].name)));
    if (languages[i].languageId == env_.choices.languageId) selected = static_cast<int>(i);
  }
  SendMessageW(languageBox_.hwnd(), CB_SETCURSEL, selected, 0);
}

void CSettingPanel::ApplyTexts(const LanguageEntry&) {
  ShowTexts();
  NameImageButtons();
  LayoutNow();
}

Size CSettingPanel::GetPanelSize() { return SettingPanelSize(ScreenDpi(), settingsCollapsed); }

SettingLabelTexts CSettingPanel::MeasureLabels() {
  const ThemeFonts& fonts = Fonts();
  SettingLabelTexts texts;
  texts.acceptLabel = TextSize(acceptLabel_.hwnd(), fonts.labelFont);
  texts.licenseLink = TextSize(licenseLink_.hwnd(), fonts.linkFont);
  texts.settingsLabel = TextSize(settingsLabel_.hwnd(), fonts.linkFont);
  texts.languageLabel = TextSize(languageLabel_.hwnd(), fonts.linkFont);
  texts.associationLabel = TextSize(associationLabel_.hwnd(), fonts.linkFont);
  texts.folderLabel = TextSize(folderLabel_.hwnd(), fonts.linkFont);
  return texts;
}

void CSettingPanel::OnLayout(const RECT& client) {
  if (!install_.hwnd()) return;
  const SettingPanelLayout layout = LayoutSettingPanel(
      Rect{client.left, client.top, client.right, client.bottom}, MeasureLabels(), ScreenDpi());
  PlaceControl(install_.hwnd(), layout.install);
  PlaceControl(acceptBox_.hwnd(), layout.acceptBox);
  PlaceControl(acceptLabel_.hwnd(), layout.acceptLabel);
  PlaceControl(licenseLink_.hwnd(), layout.licenseLink);
  PlaceControl(settingsLabel_.hwnd(), layout.settingsLabel);
  PlaceControl(expander_.hwnd(), layout.expander);
  PlaceControl(languageLabel_.hwnd(), layout.languageLabel);
  PlaceControl(associationLabel_.hwnd(), layout.associationLabel);
  PlaceControl(folderLabel_.hwnd(), layout.folderLabel);
  PlaceControl(folderEdit_.hwnd(), layout.folderEdit);
  PlaceControl(browse_.hwnd(), layout.browse);
  // A drop-down's window height includes its list.
  const int listRoom = SettingDropDownListRoom(ScreenDpi());
  PlaceDropDown(languageBox_.hwnd(), layout.languageBox, listRoom);
  PlaceDropDown(associationBox_.hwnd(), layout.associationBox, listRoom);
  MoveSeparator(layout.separatorLeft, layout.separatorY);
}

void CSettingPanel::MoveSeparator(int left, int y) {
  if (left == separatorLeft && y == separatorY) return;
  // Only the line's old and new places are drawn again.
  const RECT client = ClientRect();
  for (const int at : {separatorY, y}) {
    const RECT line{std::min(left, separatorLeft), at, client.right, at + 1};
    InvalidateRect(hwnd(), &line, TRUE);
  }
  separatorLeft = left;
  separatorY = y;
}

void CSettingPanel::DrawContent(HDC dc) {
  const RECT client = ClientRect();
  DrawIconAndHeadline(dc, client, icon_.get(), ScaleX(48), env_.context.manifest.fullName);
  if (separatorLeft == 0 && separatorY == 0) return;
  UniquePen pen(CreatePen(PS_SOLID, 1, kSeparatorColor));
  SelectScope selected(dc, pen.get());
  MoveToEx(dc, separatorLeft, separatorY, nullptr);
  LineTo(dc, client.right, separatorY);
}

bool CSettingPanel::OnCommand(int id, int code, HWND control) {
  if (!control) return false;
  switch (id) {
    case IDC_INSTALL:
      if (code == BN_CLICKED && IsWindowVisible(hwnd()) && ValidateInstallFolder()) {
        if (CInstallGuide* guide = Guide()) guide->NextPanel();
      }
      return true;
    case IDC_ACCEPT_BOX:
      accepted = !accepted;
      UpdateAcceptBox();
      return true;
    case IDC_SETTINGS_EXPANDER:
    case IDC_SETTINGS_LABEL:
      if (code == BN_CLICKED) ToggleSettings();
      return true;
    case IDC_LICENSE_LINK:
      if (code == STN_CLICKED) OpenLicenseTerms();
      return true;
    case IDC_BROWSE:
      BrowseForFolder();
      return true;
    case IDC_LANGUAGE_BOX:
      if (code == CBN_SELENDOK) ChooseLanguage();
      return false;
    case IDC_ASSOCIATION_BOX:
      if (code == CBN_SELENDOK) ChooseAssociation();
      return false;
    default:
      return false;
  }
}

void CSettingPanel::OnOK() {
  PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(install_.hwnd()));
}

void CSettingPanel::NameImageButtons() {
  // The box and the chevron show no text; their window texts name them.
  SetWindowTextW(acceptBox_.hwnd(), Wide(acceptLabel_.text + u" " + licenseLink_.text));
  SetWindowTextW(expander_.hwnd(), Wide(settingsLabel_.text));
}

void CSettingPanel::UpdateAcceptBox() {
  ShowImage(acceptBox_, accepted ? kTickedBoxImage : kEmptyBoxImage);
  UpdateAccessibleFacts(acceptBox_.hwnd(), acceptBox_.accessible,
                        {.role = AccessibleRole::kCheckBox, .checked = accepted});
  const bool changed = install_.enabled != accepted;
  install_.enabled = accepted;
  install_.ResetMouseState();
  if (changed) {
    NotifyAccessibleChange(install_.hwnd(), EVENT_OBJECT_STATECHANGE);
    install_.Invalidate(true);
    UpdateWindow(install_.hwnd());
  }
}

void CSettingPanel::UpdateExpander() {
  ShowImage(expander_, settingsCollapsed ? kChevronDownImage : kChevronUpImage);
  UpdateAccessibleFacts(expander_.hwnd(), expander_.accessible, {.expanded = !settingsCollapsed});
}

void CSettingPanel::ToggleSettings() {
  settingsCollapsed = !settingsCollapsed;
  // Out of sight is out of the keyboard's reach: the rows are hidden, not
  // only cut off by the smaller window, and the focus leaves them first.
  HWND focus = GetFocus();
  if (settingsCollapsed && focus && GetParent(focus) == hwnd()) {
    SetFocus(GetDlgItem(hwnd(), FocusAfterCollapse(GetDlgCtrlID(focus))));
  }
  for (const int row : kSettingsSectionRows) {
    ShowWindow(GetDlgItem(hwnd(), row), settingsCollapsed ? SW_HIDE : SW_SHOW);
  }
  if (CInstallGuide* guide = Guide()) guide->SizeToPanel();
  UpdateExpander();
}

void CSettingPanel::OpenLicenseTerms() {
  ShellOpen(hwnd(), env_.context.strings.LookupLink(IDS_RLINK_TERMS));
}

void CSettingPanel::ChooseLanguage() {
  const LRESULT index = SendMessageW(languageBox_.hwnd(), CB_GETCURSEL, 0, 0);
  const std::vector<LanguageEntry>& languages = env_.context.languages;
  if (index < 0 || static_cast<size_t>(index) >= languages.size()) return;
  // The choice, and the wizard's own texts, which follow it.
  env_.choices.languageId = languages[static_cast<size_t>(index)].languageId;
  env_.context.strings.languageId = env_.choices.languageId;
  ApplyTexts(languages[static_cast<size_t>(index)]);
}

void CSettingPanel::ChooseAssociation() {
  const LRESULT index = SendMessageW(associationBox_.hwnd(), CB_GETCURSEL, 0, 0);
  if (index >= 0 && index < static_cast<LRESULT>(std::size(kAssociationItems))) {
    env_.choices.fileAssociation = static_cast<int32_t>(index);
  }
}

std::u16string CSettingPanel::FolderText() const {
  const int length = GetWindowTextLengthW(folderEdit_.hwnd());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(folderEdit_.hwnd(), text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return FromWide(text);
}

void CSettingPanel::ShowFolder(const std::u16string& folder) {
  SetWindowTextW(folderEdit_.hwnd(), Wide(folder));
}

bool CSettingPanel::ValidateInstallFolder() {
  const FolderValidation check = vwi::ValidateInstallFolder(FolderText(), accepted, env_.system);
  switch (check.result) {
    case FolderCheck::kNotAccepted:
      return false;
    case FolderCheck::kAccepted:
      env_.choices.installFolder = check.path;
      return true;
    case FolderCheck::kUnavailable:
      break;
  }
  const std::u16string text =
      FormatUiString(env_.context.strings, IDS_ERR_CREATE_FOLDER_FAILED, {check.path});
  WinMessageBox(hwnd()).Show(text, env_.context.manifest.shortName, message_box::kIconWarning);
  ShowFolder(env_.choices.installFolder);
  return false;
}

void CSettingPanel::BrowseForFolder() {
  std::u16string start;
  if (const std::u16string text = FolderText(); !text.empty()) {
    wchar_t full[261] = L"";
    const DWORD length = GetFullPathNameW(Wide(text), 261, full, nullptr);
    if (length > 0 && length < 261) {
      start = BrowseStartFolder(FromWide(full), env_.system);
    }
  }
  const std::u16string title = env_.context.strings.LookupUiString(IDS_BROWSE_DEST_FOLDER);
  if (auto chosen = ChooseFolder(hwnd(), title, start)) {
    env_.choices.installFolder = std::move(*chosen);
    ShowFolder(env_.choices.installFolder);
  }
}

bool CSettingPanel::CanClose() {
  const int answer = WinMessageBox(hwnd()).Show(
      env_.context.strings.LookupUiString(IDS_MESSAGE_CANCELNOTICE),
      env_.context.manifest.shortName, message_box::kYesNo | message_box::kIconWarning);
  return answer == message_box::kAnswerYes;
}

}  // namespace vwi
