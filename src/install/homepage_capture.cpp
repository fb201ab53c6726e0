#include "install/homepage_capture.h"

#include "platform/text.h"

namespace vwi {
namespace {

constexpr std::u16string_view kPropertyPrefix = u"Property(S):";
constexpr std::u16string_view kHomepagePrefix = u"InstallHomepageURL =";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool CaptureHomepage(std::u16string& homepageUrl, std::u16string_view text) {
  if (!homepageUrl.empty() || !StartsWithIgnoringCase(text, kPropertyPrefix)) return false;
  const std::u16string_view rest = Trimmed(text.substr(kPropertyPrefix.size()));
  if (!StartsWithIgnoringCase(rest, kHomepagePrefix)) return false;
  homepageUrl = std::u16string(Trimmed(rest.substr(kHomepagePrefix.size())));
  return !homepageUrl.empty();
}

}  // namespace vwi
