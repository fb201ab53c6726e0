#include "context/existing_installation.h"

#include "platform/file_queries.h"
#include "platform/registry_key.h"
#include "platform/text.h"

namespace vwi {
namespace {

std::u16string LanguagePacksKey(const std::u16string& registryPath) {
  return registryPath + u"\\LanguagePacks";
}

}  // namespace

std::u16string InstalledProductVersion(const std::u16string& productCode,
                                       std::u16string_view caption, IInstalledProducts& products,
                                       IMessageBox& box) {
  std::u16string version;
  const uint32_t result = products.QueryVersionString(productCode, version);
  if (result == 0) return version;
  if (result != kInstallerUnknownProduct) {
    box.Show(u"Failed to get installed product info, error code: " +
                 DecimalText(static_cast<int32_t>(result)),
             caption, message_box::kOk);
  }
  return {};
}

void DetectExistingInstallation(const ProductManifest& manifest, InstallationState state,
                                InstallationProbes probes) {
  if (!DetectInstalledVersion(manifest, state.installedVersion, state.flags, probes)) return;
  if (const auto initial = RecordedInitialLanguage(manifest.registryPath, probes.registry, true)) {
    state.strings.languageId = *initial;
  }
}

bool DetectInstalledVersion(const ProductManifest& manifest, std::u16string& installedVersion,
                            AppFlags& flags, InstallationProbes probes) {
  installedVersion = InstalledProductVersion(manifest.productCode, manifest.shortName,
                                             probes.products, probes.box);
  if (installedVersion.empty()) return false;
  flags.productInstalled = true;
  return true;
}

std::optional<int32_t> RecordedInitialLanguage(const std::u16string& registryPath,
                                               IRegistry& registry, bool create) {
  RegistryKey packs(registry);
  const std::u16string path = LanguagePacksKey(registryPath);
  if (create) {
    packs.Open(RegistryRoot::kLocalMachine, path);
  } else {
    packs.OpenForRead(RegistryRoot::kLocalMachine, path);
  }
  const auto initial = static_cast<int32_t>(packs.QueryNumber(u"InitialLangID").value_or(1033));
  if (initial == 1033) return std::nullopt;
  return initial;
}

std::vector<int32_t> InstalledLanguagePacks(const std::u16string& registryPath,
                                            IRegistry& registry) {
  RegistryKey packs(registry);
  packs.Open(RegistryRoot::kLocalMachine, LanguagePacksKey(registryPath));
  std::vector<std::u16string> names;
  packs.EnumSubKeys(names);
  std::vector<int32_t> languages;
  for (const auto& name : names) {
    if (!name.empty()) languages.push_back(ParseLenientInt(name));
  }
  return languages;
}

std::u16string InstalledExecutablePath(const std::u16string& registryPath, IRegistry& registry) {
  RegistryKey product(registry);
  product.Open(RegistryRoot::kLocalMachine, registryPath);
  std::u16string path = product.QueryString(u"exe").value_or(u"");
  if (path.empty() || !FileExists(path)) return {};
  return path;
}

ManifestOverride ManifestPathOverride(IRegistry& registry) {
  RegistryKey key(registry);
  key.Open(RegistryRoot::kCurrentUser, kManifestOverrideKey);
  ManifestOverride result;
  result.path = key.QueryString(u"WebInstallerManifest").value_or(u"");
  result.exists = !result.path.empty() && FileExists(result.path);
  return result;
}

}  // namespace vwi
