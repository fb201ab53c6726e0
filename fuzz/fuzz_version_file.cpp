// The version file of arbitrary bytes read as the validator reads what it
// received, then the version rule and the decision on what it offers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "validation/version_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vwi::ProductManifest manifest;
  manifest.webInstallerVersion = u"27.0.1.12";
  manifest.standaloneVersion = u"27.0.0.1204";
  const std::string_view received(reinterpret_cast<const char*>(data), size);
  if (!vwi::ReadVersionText(received, manifest)) return 0;
  for (const bool installed : {false, true}) {
    const vwi::VersionCheckResult result =
        vwi::CompareVersions(manifest, u"27.0.0.1204", installed);
    vwi::VersionDecisionLogEntry(manifest, u"27.0.0.1204", installed, result);
  }
  const vwi::VersionOffer* offers[] = {&manifest.freshInstall, &manifest.patchInstall};
  for (const vwi::VersionOffer* offer : offers) {
    vwi::IsNewerVersion(offer->productVersion, offer->minWebInstallerVersion);
    vwi::IsNewerVersion(offer->minWebInstallerVersion, manifest.webInstallerVersion);
  }
  return 0;
}
