#include "context/language_list.h"

namespace vwi {

int32_t UserDefaultUiLanguage() { return 1033; }

}  // namespace vwi
