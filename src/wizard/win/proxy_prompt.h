// The question for a proxy's user name and password, as the wizard asks it:
// the system's credential dialog over the wizard, naming the proxy, never
// storing what was typed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "download/proxy_login.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

class WinProxyPrompt final : public IProxyPrompt {
 public:
  // `owner` gives the window the dialog stands over when it is asked.
  WinProxyPrompt(const UiStringCatalogue& strings, std::u16string caption,
                 std::function<HWND()> owner);
  std::optional<ProxyCredentials> Ask(const std::u16string& proxy, bool refusedBefore) override;

 private:
  const UiStringCatalogue& strings_;
  std::u16string caption_;
  std::function<HWND()> owner_;
};

}  // namespace vwi
