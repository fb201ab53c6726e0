#include "wizard/win/proxy_prompt.h"

#include <wincred.h>

#include <utility>

#include "localisation/ui_text_format.h"
#include "platform/win/wide.h"

namespace vwi {

WinProxyPrompt::WinProxyPrompt(const UiStringCatalogue& strings, std::u16string caption,
                               std::function<HWND()> owner)
    : strings_(strings), caption_(std::move(caption)), owner_(std::move(owner)) {}

std::optional<ProxyCredentials> WinProxyPrompt::Ask(const std::u16string& proxy,
                                                    bool refusedBefore) {
  const std::u16string message = FormatUiString(strings_, IDS_PROXY_SIGN_IN, {proxy});
  CREDUI_INFOW info{};
  info.cbSize = sizeof info;
  info.hwndParent = owner_ ? owner_() : nullptr;
  info.pszMessageText = Wide(message);
  info.pszCaptionText = Wide(caption_);
  wchar_t user[CREDUI_MAX_USERNAME_LENGTH + 1] = L"";
  wchar_t password[CREDUI_MAX_PASSWORD_LENGTH + 1] = L"";
  BOOL save = FALSE;
  DWORD flags = CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_DO_NOT_PERSIST |
                CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_EXCLUDE_CERTIFICATES;
  if (refusedBefore) flags |= CREDUI_FLAGS_INCORRECT_PASSWORD;
  const std::wstring target = ToWide(proxy);
  const DWORD answer =
      CredUIPromptForCredentialsW(&info, target.c_str(), nullptr, 0, user, std::size(user),
                                  password, std::size(password), &save, flags);
  std::optional<ProxyCredentials> credentials;
  if (answer == NO_ERROR) {
    // Some dialogs hand the name back as "target\name": the target is the
    // proxy's own address, never part of what the person typed.
    std::u16string name = FromWide(user);
    const std::u16string prefix = proxy + u"\\";
    if (name.rfind(prefix, 0) == 0) name.erase(0, prefix.size());
    credentials = ProxyCredentials{std::move(name), FromWide(password)};
  }
  SecureZeroMemory(password, sizeof password);
  return credentials;
}

}  // namespace vwi
