// The decisions of the client validator: the version rule, the version file
// on the server, whether this installer may run, and the download of a newer
// installer that takes over at exit. Usable without the validator's window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "context/app_flags.h"
#include "context/failure_cause.h"
#include "context/installer_context.h"
#include "context/product_manifest.h"
#include "download/download_checks.h"
#include "download/transfers.h"
#include "platform/system_services.h"

namespace vwi {

struct Version {
  uint32_t a = 0, b = 0, c = 0, d = 0;
  bool operator==(const Version&) const = default;
};

// "a.b.c.d": shorter than 7 characters, or not exactly four pieces between
// the dots (empty pieces skipped), gives 0.0.0.0. Each piece is read as a
// decimal number up to its first non-digit.
Version ParseVersion(std::u16string_view text);

// True exactly when x.a == y.a, x.b >= y.b and x.d > y.d. The third
// component takes no part: servers and installed products have always been
// compared that way.
bool IsNewerVersion(const Version& x, const Version& y);
bool IsNewerVersion(std::u16string_view x, std::u16string_view y);

// A version file longer than this is refused unread (it holds a few hundred
// bytes).
inline constexpr int64_t kMaxVersionFileBytes = 64 * 1024;

enum class VersionCheckResult : int32_t {
  UpToDate = 0,  // proceed
  AlreadyInstalled = 1,
  ClientTooOld = 2,
  ServerUnreachable = 4,
};

// Reads the bytes of a version file, as this run received them, into the
// manifest's version-file fields. False when they are longer than
// kMaxVersionFileBytes or no readable XML document; true, with nothing
// changed, when the root is not "vrelwebinstaller".
bool ReadVersionText(std::string_view bytes, ProductManifest& manifest);

// Fetches the version file into memory: the transfer ends as soon as the
// body passes kMaxVersionFileBytes. Nothing when it fails, or when a web
// page (a network's sign-in page) arrived instead; `failure` then says why.
std::optional<std::string> FetchVersionFile(ITransfers& transfers, const std::u16string& url,
                                            TransferResult* failure = nullptr);

// Whether the offered product is new to this machine and this installer new
// enough for the server (never ServerUnreachable).
// The versions compared and the decision, for the run's log.
std::u16string VersionDecisionLogEntry(const ProductManifest& manifest,
                                       const std::u16string& installedVersion,
                                       bool productInstalled, VersionCheckResult result);

VersionCheckResult CompareVersions(const ProductManifest& manifest,
                                   const std::u16string& installedVersion, bool productInstalled);

// What the validator leaves for start-up: whether to go on, stop, or stop
// and start the downloaded newer installer at exit.
enum class ValidationOutcome : int32_t { Proceed = 0, Stop = 1, HandOver = 2 };

struct ValidationHandOver {
  ValidationOutcome outcome = ValidationOutcome::Proceed;
  std::u16string updaterPath;  // the downloaded newer installer; empty when none
  int32_t downloadResult = 0;  // result of the last stream download
  // Why the version file did not arrive, and from where (no credentials).
  TransferResult versionTransfer;
  std::u16string versionAddress;
  // Why the check or the newer installer failed; None when nothing did.
  FailureCause failureCause = FailureCause::None;
  // The newer installer and its folder, held from its check until it has
  // been started.
  std::unique_ptr<IHeldFile> updaterHold;
  std::unique_ptr<IHeldFolder> updaterFolder;
};

// Fetches the version file into memory, reads it into the manifest and
// compares (a standalone manifest compares without fetching). What arrived
// decides: ServerUnreachable when it cannot be read, whatever the download
// reported. Nothing is ever read from a file that was there before.
VersionCheckResult CheckVersion(InstallerContext& context, const AppFlags& flags,
                                ITransfers& transfers, ValidationHandOver& handOver);

// Downloads the newer installer the version file names (the update offer's
// URL when the product is installed, else the fresh one) into a new folder
// (the run's protected one when elevated, else a new temporary one), once its
// volume has room for the announced size, and accepts it only when it is the
// publisher's own (publisher_rule.h): signed like this installer, or, for an
// unsigned build, matching the offer's digest. On failure `updaterPath` is
// cleared, no file is left behind and `failureCause` tells why: DiskSpace
// (told through `checks.onOutOfDisk`, nothing fetched), PayloadIntegrity (a
// malformed digest or nothing to prove the installer by fetches nothing; a
// mismatch or a refused signature removes the file) or DownloadFailed.
bool DownloadNewInstaller(const InstallerContext& context, const AppFlags& flags,
                          ISystemServices& system, ITransfers& transfers,
                          ValidationHandOver& handOver, const DownloadChecks& checks = {});

// The program to start at exit with "/n": the updater when the outcome is
// HandOver and its file exists.
std::optional<std::u16string> UpdaterToLaunch(const ValidationHandOver& handOver,
                                              ISystemServices& system);

}  // namespace vwi
