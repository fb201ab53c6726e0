// The running-application check against this session's named semaphores.
#pragma once

#include <windows.h>

#include <string_view>

#include <string>

#include "install/running_apps.h"
#include "localisation/ui_string_keys.h"

namespace vwi {

class WinSemaphoreProbe final : public ISemaphoreProbe {
 public:
  bool Exists(std::u16string_view name) override;
};

// Asks, in a box owned by `owner`, to close the product's running programs
// (`closeText`, IDS_CLOSE_RUNNING_APPS in the wizard's language); false when
// the user chose Cancel.
bool CheckRunningApps(std::u16string_view caption, HWND owner,
                      std::u16string_view closeText = IDS_CLOSE_RUNNING_APPS.defaultText);

}  // namespace vwi
