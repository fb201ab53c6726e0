// The options an administrator can give, as the box of "/?" and "/help"
// shows them.
#pragma once

#include <string>

namespace vwi {

// The whole table, one option per line.
std::u16string OptionsHelpText();

}  // namespace vwi
