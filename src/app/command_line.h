// The installer's command-line options and the rules that apply them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "context/app_flags.h"

namespace vwi {

// Maps an option text ("/s", "/lang", ...) to its handler; each handler gets
// the option's value, possibly empty.
class OptionTable {
 public:
  using Handler = std::function<void(const std::u16string& value)>;

  // The options of the installer, writing into `flags`.
  explicit OptionTable(AppFlags& flags);

  // Looks up an argument already lower-cased; null when it is no option.
  const Handler* Find(std::u16string_view option) const;

 private:
  std::vector<std::pair<std::u16string, Handler>> entries_;
};

// Applies the argument vector (index 0 being the program's own path) to the
// table: each argument is lower-cased and compared whole with the options;
// the next argument is the value unless it is empty or starts with a
// backslash; a value is still examined as an option in its own turn.
void ApplyCommandLine(const std::vector<std::u16string>& arguments, const OptionTable& table);

}  // namespace vwi
