#include "install/prerequisite_probes.h"

#include <string>

namespace vwi {
namespace {

namespace keys = prerequisite_keys;

// A version text counts when it is not empty and not "0.0.0.0". The data is
// read as UTF-16 up to its first NUL or its end, never beyond it.
bool IsVersionPresent(IRegistryReader& registry, RegistryHive hive, std::u16string_view key,
                      std::u16string_view name) {
  const auto data = registry.ReadRaw(hive, key, name);
  if (!data) return false;
  std::u16string text;
  for (size_t i = 0; i + 1 < data->size(); i += 2) {
    const auto unit = static_cast<char16_t>((*data)[i] | ((*data)[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return !text.empty() && text != u"0.0.0.0";
}

// A 4-byte value; 0 when it cannot be read or does not fit in 4 bytes.
uint32_t ReadNumber(IRegistryReader& registry, std::u16string_view key, std::u16string_view name) {
  const auto data = registry.ReadRaw(RegistryHive::kLocalMachine, key, name);
  if (!data || data->size() > 4) return 0;
  uint32_t value = 0;
  for (size_t i = 0; i < data->size(); ++i) value |= uint32_t{(*data)[i]} << (8 * i);
  return value;
}

bool WebView2Present(IRegistryReader& registry) {
  return IsVersionPresent(registry, RegistryHive::kLocalMachine, keys::kWebView2Machine, u"pv") ||
         IsVersionPresent(registry, RegistryHive::kCurrentUser, keys::kWebView2User, u"pv");
}

// Each part is compared on its own, not as one version number.
bool VcRuntimePresent(IRegistryReader& registry) {
  return ReadNumber(registry, keys::kVcRuntime, u"Major") > 13 &&
         ReadNumber(registry, keys::kVcRuntime, u"Minor") > 23 &&
         ReadNumber(registry, keys::kVcRuntime, u"Bld") > 18126;
}

bool BonjourPresent(IRegistryReader& registry) {
  return IsVersionPresent(registry, RegistryHive::kLocalMachine, keys::kBonjour, u"Version");
}

struct Probe {
  std::u16string_view fileName;
  bool (*present)(IRegistryReader&);
};

constexpr Probe kProbes[] = {
    {u"webview2.exe", WebView2Present},
    {u"vc_redist.exe", VcRuntimePresent},
    {u"bonjour.msi", BonjourPresent},
};

}  // namespace

bool IsPrerequisiteSatisfied(std::u16string_view fileName, IRegistryReader& registry) {
  for (const Probe& probe : kProbes) {
    if (probe.fileName == fileName) return probe.present(registry);
  }
  return false;
}

}  // namespace vwi
