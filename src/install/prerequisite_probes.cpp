#include "install/prerequisite_probes.h"

#include <string>

#include "platform/registry_key.h"

namespace vwi {
namespace {

namespace keys = prerequisite_keys;

// A version text counts when it is not empty and not "0.0.0.0". The data is
// read as UTF-16 up to its first NUL or its end, never beyond it.
bool IsVersionPresent(IRegistry& registry, RegistryRoot root, std::u16string_view key,
                      std::u16string_view name) {
  RegistryKey opened(registry);
  if (!opened.OpenForRead(root, key)) return false;
  const auto data = opened.QueryRaw(name);
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
uint32_t ReadNumber(const RegistryKey& key, std::u16string_view name) {
  return key.QueryNumber(name).value_or(0);
}

bool WebView2Present(IRegistry& registry) {
  return IsVersionPresent(registry, RegistryRoot::kLocalMachine, keys::kWebView2Machine, u"pv") ||
         IsVersionPresent(registry, RegistryRoot::kCurrentUser, keys::kWebView2User, u"pv");
}

// Each part is compared on its own, not as one version number.
bool VcRuntimePresent(IRegistry& registry) {
  RegistryKey key(registry);
  if (!key.OpenForRead(RegistryRoot::kLocalMachine, keys::kVcRuntime)) return false;
  return ReadNumber(key, u"Major") > 13 && ReadNumber(key, u"Minor") > 23 &&
         ReadNumber(key, u"Bld") > 18126;
}

bool BonjourPresent(IRegistry& registry) {
  return IsVersionPresent(registry, RegistryRoot::kLocalMachine, keys::kBonjour, u"Version");
}

struct Probe {
  std::u16string_view fileName;
  bool (*present)(IRegistry&);
};

constexpr Probe kProbes[] = {
    {u"webview2.exe", WebView2Present},
    {u"vc_redist.exe", VcRuntimePresent},
    {u"bonjour.msi", BonjourPresent},
};

}  // namespace

bool IsPrerequisiteSatisfied(std::u16string_view fileName, IRegistry& registry) {
  for (const Probe& probe : kProbes) {
    if (probe.fileName == fileName) return probe.present(registry);
  }
  return false;
}

}  // namespace vwi
