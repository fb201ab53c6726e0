#include "context/plain_file_name.h"

#include <array>

#include "platform/text.h"

namespace vwi {
namespace {

constexpr size_t kMaxNameLength = 255;

bool IsForbiddenCharacter(char16_t c) {
  if (c < 0x20) return true;
  constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
  return kForbidden.find(c) != std::u16string_view::npos;
}

// Windows resolves these to devices in any folder, whatever follows the
// first dot.
bool IsDeviceName(std::u16string_view name) {
  const std::u16string_view stem = name.substr(0, name.find(u'.'));
  // A device name may be followed by blanks before the dot.
  std::u16string_view trimmed = stem;
  while (!trimmed.empty() && trimmed.back() == u' ') trimmed.remove_suffix(1);
  static constexpr std::array<std::u16string_view, 4> kPlain = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (const std::u16string_view device : kPlain) {
    if (EqualsIgnoreAsciiCase(trimmed, device)) return true;
  }
  if (trimmed.size() != 4) return false;
  const bool port = EqualsIgnoreAsciiCase(trimmed.substr(0, 3), u"COM") ||
                    EqualsIgnoreAsciiCase(trimmed.substr(0, 3), u"LPT");
  const char16_t digit = trimmed[3];
  // Windows also takes the superscript digits ¹ ² ³ as port numbers.
  return port && ((digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
                  digit == u'\u00B3');
}

}  // namespace

bool IsPlainFileName(std::u16string_view name) {
  if (name.empty()) return true;
  if (name.size() > kMaxNameLength) return false;
  for (const char16_t c : name) {
    if (IsForbiddenCharacter(c)) return false;
  }
  if (name.back() == u'.' || name.back() == u' ') return false;  // also "." and ".."
  return !IsDeviceName(name);
}

bool HasPlainFileNames(const ProductManifest& manifest) {
  return IsPlainFileName(manifest.mainComponentName) && IsPlainFileName(manifest.fullName) &&
         EveryListedItem(manifest, [](const auto& item) { return IsPlainFileName(item.name); });
}

}  // namespace vwi
