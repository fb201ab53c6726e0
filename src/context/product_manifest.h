// The product manifest: what this installer installs, read from the XML file
// beside the program (or the file a registry value names instead).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vwi {

// One offer of the server's version file (filled by the version check).
struct VersionOffer {
  std::u16string productVersion;
  std::u16string minWebInstallerVersion;
  std::u16string downloadUrl;
  // "web_installer_sha256": the newer installer's SHA-256 in hexadecimal, when given.
  std::optional<std::u16string> webInstallerSha256{};
};

struct ManifestLanguagePack {
  int32_t languageId = 0;
  std::u16string pid;
  std::u16string name;
  std::u16string url;
  std::optional<std::u16string> sha256{};  // the package's SHA-256 in hexadecimal, when given
};

// A prerequisite package.
struct ManifestComponent {
  std::u16string name;
  std::u16string url;
  std::u16string installCommandLine;
  std::optional<std::u16string> sha256{};
};

struct ManifestTransform {
  int32_t languageId = 0;
  std::u16string name;
  std::u16string url;
  std::optional<std::u16string> sha256{};
};

struct ProductManifest {
  std::u16string webInstallerVersion;
  std::u16string productCode;
  std::u16string pid;
  std::u16string fullName;
  std::u16string shortName;
  std::u16string registryPath;
  bool standalone = false;
  std::u16string standaloneVersion;
  std::u16string versionCheckUrl;
  std::u16string latestProductCode;
  VersionOffer freshInstall;
  VersionOffer patchInstall;
  std::u16string mainComponentName;
  std::u16string mainComponentUrl;
  std::vector<ManifestLanguagePack> languagePacks;
  std::vector<ManifestComponent> dependencies;
  std::vector<ManifestTransform> transforms;
  std::u16string mainExecutable;
  // The main package's SHA-256 in hexadecimal, when "main_component" gives one.
  std::optional<std::u16string> mainComponentSha256{};
};

// True when `accept` holds for every transform, language pack and
// prerequisite of the manifest (each has a name and may have a digest).
template <typename Accept>
bool EveryListedItem(const ProductManifest& manifest, Accept accept) {
  for (const auto& transform : manifest.transforms) {
    if (!accept(transform)) return false;
  }
  for (const auto& pack : manifest.languagePacks) {
    if (!accept(pack)) return false;
  }
  for (const auto& dependency : manifest.dependencies) {
    if (!accept(dependency)) return false;
  }
  return true;
}

}  // namespace vwi
