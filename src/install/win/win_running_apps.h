// The running-application check against this session's named semaphores.
#pragma once

#include <windows.h>

#include <string_view>

#include "install/install_texts.h"
#include "install/running_apps.h"

namespace vwi {

class WinSemaphoreProbe final : public ISemaphoreProbe {
 public:
  bool Exists(std::u16string_view name) override;
};

// Asks, in a box owned by `owner`, to close the product's running programs;
// false when the user chose Cancel.
bool CheckRunningApps(std::u16string_view caption, HWND owner, const InstallTexts& texts = {});

}  // namespace vwi
