#include "install/offline_layout.h"

#include <algorithm>

#include "download/fetch_payload.h"
#include "download/payload_check.h"
#include "install/install_items.h"
#include "platform/paths.h"
#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {
namespace {

constexpr int32_t kEnglish = 1033;
bool Wanted(int32_t id, std::optional<int32_t> language) { return !language || id == *language; }

// The text with `element`'s content set to "true", or the element added
// after `after`'s end tag; false when neither is there. Works on bytes and
// on UTF-16 code units alike: every name searched for is ASCII.
template <typename String>
bool SetStandalone(String& text) {
  const auto literal = [](std::string_view ascii) { return String(ascii.begin(), ascii.end()); };
  const String open = literal("<standalone");
  for (size_t at = text.find(open); at != String::npos; at = text.find(open, at + 1)) {
    const size_t next = at + open.size();
    if (next >= text.size()) break;
    if (text[next] == '/') {  // <standalone/>
      text.replace(at, open.size() + 2, literal("<standalone>true</standalone>"));
      return true;
    }
    if (text[next] != '>' && text[next] != ' ' && text[next] != '\t') continue;
    const size_t contentStart = text.find(literal(">"), next);
    const size_t end = text.find(literal("</standalone>"), contentStart);
    if (contentStart == String::npos || end == String::npos) return false;
    text.replace(contentStart + 1, end - contentStart - 1, literal("true"));
    return true;
  }
  const String registryEnd = literal("</registry>");
  const size_t registry = text.find(registryEnd);
  if (registry == String::npos) return false;
  text.insert(registry + registryEnd.size(), literal("<standalone>true</standalone>"));
  return true;
}

}  // namespace

std::vector<LayoutEntry> LayoutEntries(const ProductManifest& m, std::optional<int32_t> language) {
  std::vector<LayoutEntry> entries;
  for (const auto& dependency : m.dependencies) {
    entries.push_back({dependency.name, dependency.url, WorkFolder::Component, dependency.name,
                       dependency.sha256});
  }
  entries.push_back({m.mainComponentName, m.mainComponentUrl, WorkFolder::Msi, m.mainComponentName,
                     m.mainComponentSha256});
  for (const auto& transform : m.transforms) {
    if (!Wanted(transform.languageId, language)) continue;
    entries.push_back({transform.name, transform.url, WorkFolder::Transform,
                       DecimalText(transform.languageId) + u".mst", transform.sha256});
  }
  for (const auto& pack : m.languagePacks) {
    if (!Wanted(pack.languageId, language)) continue;
    entries.push_back({pack.name, pack.url, WorkFolder::Component,
                       LanguagePackName(pack.languageId), pack.sha256});
  }
  return entries;
}

std::vector<std::u16string> LayoutLanguages(const std::vector<std::u16string>& available,
                                            std::optional<int32_t> language) {
  std::vector<std::u16string> chosen;
  for (const std::u16string& name : available) {
    // Language folders are named by their number; anything else stays behind.
    const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char16_t c) {
      return c >= u'0' && c <= u'9';
    });
    if (!number) continue;
    if (!language || name == DecimalText(*language) || name == DecimalText(kEnglish)) {
      chosen.push_back(name);
    }
  }
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

std::optional<std::string> StandaloneManifest(std::string_view text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    std::u16string wide((text.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i) {
      wide[i] = static_cast<char16_t>(static_cast<unsigned char>(text[2 + 2 * i]) |
                                      static_cast<unsigned char>(text[3 + 2 * i]) << 8);
    }
    if (!SetStandalone(wide)) return std::nullopt;
    std::string out("\xFF\xFE");
    for (const char16_t unit : wide) {
      out.push_back(static_cast<char>(unit & 0xFF));
      out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
  }
  std::string bytes(text);
  if (!SetStandalone(bytes)) return std::nullopt;
  return bytes;
}

}  // namespace vwi
