#include "app/handover_parameters.h"

namespace vwi {

std::u16string QuoteArgument(std::u16string_view argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\"") == std::u16string_view::npos) {
    return std::u16string(argument);
  }
  std::u16string quoted = u"\"";
  size_t backslashes = 0;
  for (const char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, u'\\');
  quoted.push_back(u'"');
  return quoted;
}

std::u16string HandOverParameters(const AppFlags& flags, std::u16string_view logPath) {
  std::u16string parameters = u"/n";
  if (flags.silentMode) parameters += u" /s";
  if (flags.launchAfterInstall) parameters += u" /l";
  if (!flags.requestedLanguage.empty()) {
    parameters += u" /lang " + QuoteArgument(flags.requestedLanguage);
  }
  if (!logPath.empty()) parameters += u" /log " + QuoteArgument(logPath);
  return parameters;
}

}  // namespace vwi
