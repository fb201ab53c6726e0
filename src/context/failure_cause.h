// Why a run did not end in a finished installation. The validator and the
// installation worker each record one cause (readable once they have ended),
// so the application can tell a deployment script what happened.
#pragma once

#include <cstdint>
#include <string_view>

namespace vwi {

enum class FailureCause : int32_t {
  None = 0,              // nothing failed (yet)
  DownloadFailed = 1,    // the server could not be reached, or a download failed
  ManifestUnusable = 2,  // the product manifest is missing, damaged or incomplete
  PayloadIntegrity = 3,  // a downloaded file differs from the digest it was given
  DiskSpace = 4,         // a volume has too little free space for a download or the package
  PackageFailed = 5,     // the Windows Installer package returned a failure
  Cancelled = 6,         // the user cancelled
  AlreadyInstalled = 7,  // the version on offer is installed already
  InstallerTooOld = 8,   // the server requires a newer installer
};

// A short English name of the cause, for diagnostic lines.
constexpr std::u16string_view FailureCauseName(FailureCause cause) {
  switch (cause) {
    case FailureCause::None:
      return u"none";
    case FailureCause::DownloadFailed:
      return u"download failed";
    case FailureCause::ManifestUnusable:
      return u"manifest unusable";
    case FailureCause::PayloadIntegrity:
      return u"payload integrity";
    case FailureCause::DiskSpace:
      return u"disk space";
    case FailureCause::PackageFailed:
      return u"package failed";
    case FailureCause::Cancelled:
      return u"cancelled";
    case FailureCause::AlreadyInstalled:
      return u"already installed";
    case FailureCause::InstallerTooOld:
      return u"installer too old";
  }
  return u"unknown";
}

}  // namespace vwi
