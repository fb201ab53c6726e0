// Probes of an earlier installation: the installed version, the language of
// the first installation, the installed language packs and program, and the
// per-user manifest override.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "context/app_flags.h"
#include "context/installed_products.h"
#include "context/product_manifest.h"
#include "localisation/ui_string_catalogue.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace vwi {

// The per-user key whose "WebInstallerManifest" value names another manifest.
inline constexpr std::u16string_view kManifestOverrideKey = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";

// The box probes report Windows Installer errors in: owner-less on Windows,
// silent elsewhere.
IMessageBox& ProbeMessageBox();

// The installed product's version text; empty when none. An error other
// than "unknown product" is shown in a box ("Failed to get installed product
// info, error code: %d", OK button, `caption`) and also gives empty.
std::u16string InstalledProductVersion(const std::u16string& productCode,
                                       std::u16string_view caption,
                                       IInstalledProducts& products = SystemInstalledProducts(),
                                       IMessageBox& box = ProbeMessageBox());

// What DetectExistingInstallation reads and writes.
struct InstallationState {
  std::u16string& installedVersion;
  UiStringCatalogue& strings;
  AppFlags& flags;
};

struct InstallationProbes {
  IRegistry& registry = SystemRegistry();
  IInstalledProducts& products = SystemInstalledProducts();
  IMessageBox& box = ProbeMessageBox();
};

// Fills `installedVersion`; when a version is found, sets `productInstalled`
// and takes the language of the first installation ("InitialLangID" of
// HKLM registryPath\LanguagePacks) unless it is 1033 or absent.
void DetectExistingInstallation(const ProductManifest& manifest, InstallationState state,
                                InstallationProbes probes = {});

// The first half of DetectExistingInstallation: fills `installedVersion` and,
// when a version is found, sets `productInstalled` and returns true.
bool DetectInstalledVersion(const ProductManifest& manifest, std::u16string& installedVersion,
                            AppFlags& flags, InstallationProbes probes = {});

// The language of the first installation when one other than 1033 is
// recorded. `create` opens the key for writing, creating it when missing (as
// the probe of an installed product always has); otherwise it is only read.
std::optional<int32_t> RecordedInitialLanguage(const std::u16string& registryPath,
                                               IRegistry& registry, bool create);

// LANGIDs of the installed language packs: the sub-keys of HKLM
// registryPath\LanguagePacks, in enumeration order, read as numbers (0 for
// names without leading digits); empty names are skipped.
std::vector<int32_t> InstalledLanguagePacks(const std::u16string& registryPath,
                                            IRegistry& registry = SystemRegistry());

// The installed program ("exe" of HKLM registryPath) when that file exists;
// empty otherwise.
std::u16string InstalledExecutablePath(const std::u16string& registryPath,
                                       IRegistry& registry = SystemRegistry());

struct ManifestOverride {
  bool exists = false;  // the value names an existing file
  std::u16string path;  // the value, empty when absent
};
// The manifest named by the per-user "WebInstallerManifest" value. Opening the
// key creates it (empty) when it is missing.
ManifestOverride ManifestPathOverride(IRegistry& registry = SystemRegistry());

}  // namespace vwi
