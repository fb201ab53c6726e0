#include <windows.h>

#include "context/language_list.h"

namespace vwi {

int32_t UserDefaultUiLanguage() { return GetUserDefaultUILanguage(); }

}  // namespace vwi
