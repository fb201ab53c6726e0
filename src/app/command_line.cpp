#include "app/command_line.h"

#include "platform/text.h"

namespace vwi {

OptionTable::OptionTable(AppFlags& flags) {
  entries_.emplace_back(u"/s", [&flags](const std::u16string&) { flags.silentMode = true; });
  entries_.emplace_back(u"/n", [&flags](const std::u16string&) { flags.skipValidation = true; });
  entries_.emplace_back(u"/l",
                        [&flags](const std::u16string&) { flags.launchAfterInstall = true; });
  entries_.emplace_back(u"/lang",
                        [&flags](const std::u16string& value) { flags.requestedLanguage = value; });
  entries_.emplace_back(u"/log", [&flags](const std::u16string& value) { flags.logPath = value; });
  entries_.emplace_back(u"/layout",
                        [&flags](const std::u16string& value) { flags.layoutFolder = value; });
  for (const char16_t* help : {u"/?", u"/help"}) {
    entries_.emplace_back(help, [&flags](const std::u16string&) { flags.showHelp = true; });
  }
}

const OptionTable::Handler* OptionTable::Find(std::u16string_view option) const {
  for (const auto& [text, handler] : entries_) {
    if (text == option) return &handler;
  }
  return nullptr;
}

void ApplyCommandLine(const std::vector<std::u16string>& arguments, const OptionTable& table) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const OptionTable::Handler* handler = table.Find(AsciiLower(arguments[i]));
    if (!handler) continue;
    std::u16string value;
    if (i + 1 < arguments.size()) {
      const std::u16string& next = arguments[i + 1];
      if (!next.empty() && next.front() != u'\\') value = next;
    }
    (*handler)(value);
  }
}

}  // namespace vwi
