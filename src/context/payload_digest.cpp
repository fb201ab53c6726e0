#include "context/payload_digest.h"

namespace vwi {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool WellFormed(const std::optional<std::u16string>& digest) {
  return !digest || ParseSha256Hex(*digest).has_value();
}

}  // namespace

std::optional<Sha256Digest> ParseSha256Hex(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  Sha256Digest digest{};
  if (text.size() != digest.size() * 2) return std::nullopt;
  for (size_t i = 0; i < digest.size(); ++i) {
    const int high = HexValue(text[2 * i]);
    const int low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    digest[i] = static_cast<uint8_t>(high * 16 + low);
  }
  return digest;
}

std::u16string Sha256Hex(const Sha256Digest& digest) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  text.reserve(digest.size() * 2);
  for (uint8_t byte : digest) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

bool HasWellFormedDigests(const ProductManifest& manifest) {
  return WellFormed(manifest.mainComponentSha256) &&
         EveryListedItem(manifest, [](const auto& item) { return WellFormed(item.sha256); });
}

}  // namespace vwi
