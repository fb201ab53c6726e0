// The version file of arbitrary bytes read as the validator reads it, then
// the version rule and the decision on what it offers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "platform/text.h"
#include "validation/version_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The reader takes a path: one file per fuzzing process.
  static const std::string path = "/tmp/vwi-fuzz-version-" + std::to_string(getpid()) + ".xml";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  vwi::ProductManifest manifest;
  manifest.webInstallerVersion = u"27.0.1.12";
  manifest.standaloneVersion = u"27.0.0.1204";
  if (!vwi::ReadVersionFile(vwi::Utf16FromUtf8(path), manifest)) return 0;
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
