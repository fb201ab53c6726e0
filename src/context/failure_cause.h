// Why a run did not end in a finished installation. The validator and the
// installation worker each record one cause (readable once they have ended),
// so the application can tell a deployment script what happened.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "platform/text.h"

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
  InstallerBusy = 9,     // another installation kept the Windows Installer busy too long
  ProgramFailed = 10,    // a prerequisite program (or its msiexec) ended with a failure
};

// A short English name of the cause, for diagnostic lines.
constexpr std::u16string_view FailureCauseName(FailureCause cause) {
  constexpr std::u16string_view kNames[] = {u"none",
                                            u"download failed",
                                            u"manifest unusable",
                                            u"payload integrity",
                                            u"disk space",
                                            u"package failed",
                                            u"cancelled",
                                            u"already installed",
                                            u"installer too old",
                                            u"installer busy",
                                            u"program failed"};
  static_assert(std::size(kNames) == static_cast<size_t>(FailureCause::ProgramFailed) + 1);
  return NameIn(kNames, cause);
}

}  // namespace vwi
