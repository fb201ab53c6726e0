#include "validation/version_check.h"

#include <exception>
#include <vector>

#include "context/component_path.h"
#include "download/payload_check.h"
#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "xml/xml_document.h"

namespace vwi {

namespace {

// Reads the three values of an offer group (the current element) in order.
void ReadOffer(XmlDocument& doc, VersionOffer& offer, std::u16string* productVersionCopy) {
  struct Field {
    const char16_t* name;
    std::u16string* target;
  };
  const Field fields[] = {{u"product_version", &offer.productVersion},
                          {u"min_web_installer_version", &offer.minWebInstallerVersion},
                          {u"web_installer_download_url", &offer.downloadUrl}};
  for (const Field& field : fields) {
    if (!doc.FindChildElement(field.name)) continue;
    doc.EnterElement();
    *field.target = doc.GetElementText(doc.currentIndex());
    if (productVersionCopy && field.target == &offer.productVersion) {
      *productVersionCopy = *field.target;
    }
    doc.LeaveElement();
  }
  // The newer installer's digest is the group's last child.
  if (doc.FindChildElement(u"web_installer_sha256")) {
    doc.EnterElement();
    offer.webInstallerSha256 = doc.GetElementText(doc.currentIndex());
    doc.LeaveElement();
  }
}

// Downloads `url` into the file at `path` (created or truncated).
bool DownloadIntoFile(IStreamDownloader& downloader, const std::u16string& url,
                      const std::u16string& path, bool& opened) {
  FileSink out(path);
  opened = out.IsOpen();
  if (!opened) return false;
  const bool result = downloader.DownloadToStream(url, out);
  return out.Close() && result;
}

}  // namespace

Version ParseVersion(std::u16string_view text) {
  if (text.size() < 7) return {};
  std::vector<uint32_t> pieces;
  size_t start = 0;
  while (start <= text.size()) {
    size_t dot = text.find(u'.', start);
    if (dot == std::u16string_view::npos) dot = text.size();
    if (dot > start) {
      pieces.push_back(static_cast<uint32_t>(ParseLenientInt(text.substr(start, dot - start))));
    }
    start = dot + 1;
  }
  if (pieces.size() != 4) return {};
  return {pieces[0], pieces[1], pieces[2], pieces[3]};
}

bool IsNewerVersion(const Version& x, const Version& y) {
  return x.a == y.a && x.b >= y.b && x.d > y.d;
}

bool IsNewerVersion(std::u16string_view x, std::u16string_view y) {
  return IsNewerVersion(ParseVersion(x), ParseVersion(y));
}

bool ReadVersionFile(const std::u16string& path, ProductManifest& manifest) {
  if (path.empty()) return false;
  XmlDocument doc;
  doc.SetText(u"");
  doc.SetFileSizeLimit(kMaxVersionFileBytes);
  if (!doc.LoadFile(path)) return false;
  if (!doc.FindElement(u"vrelwebinstaller")) return true;
  if (doc.FindChildElement(u"product_code")) {
    doc.EnterElement();
    manifest.latestProductCode = doc.GetElementText(doc.currentIndex());
    doc.LeaveElement();
  }
  // The root becomes the parent level; the groups are searched after
  // product_code (or among all children when it is missing).
  doc.EnterElement();
  if (doc.FindElement(u"fresh_install")) ReadOffer(doc, manifest.freshInstall, nullptr);
  if (doc.FindElement(u"patch_install")) {
    ReadOffer(doc, manifest.patchInstall, &manifest.standaloneVersion);
  }
  return true;
}

VersionCheckResult CompareVersions(const ProductManifest& manifest,
                                   const std::u16string& installedVersion, bool productInstalled) {
  const VersionOffer& offer = productInstalled ? manifest.patchInstall : manifest.freshInstall;
  if (productInstalled && !IsNewerVersion(manifest.standaloneVersion, installedVersion)) {
    return VersionCheckResult::AlreadyInstalled;
  }
  if (manifest.standalone) return VersionCheckResult::UpToDate;
  return IsNewerVersion(offer.minWebInstallerVersion, manifest.webInstallerVersion)
             ? VersionCheckResult::ClientTooOld
             : VersionCheckResult::UpToDate;
}

std::u16string VersionDecisionLogEntry(const ProductManifest& manifest,
                                       const std::u16string& installedVersion,
                                       bool productInstalled, VersionCheckResult result) {
  const VersionOffer& offer = productInstalled ? manifest.patchInstall : manifest.freshInstall;
  std::u16string entry = u"Version check (";
  entry += productInstalled ? u"patch_install" : u"fresh_install";
  entry += u"): this installer " + manifest.webInstallerVersion + u", required at least " +
           (manifest.standalone ? u"(standalone)" : offer.minWebInstallerVersion);
  entry += u"; product offered " +
           (manifest.standalone ? manifest.standaloneVersion : offer.productVersion);
  if (productInstalled) {
    entry += u" (compared: " + manifest.standaloneVersion + u"), installed " + installedVersion;
  }
  entry += u"; decision: ";
  switch (result) {
    case VersionCheckResult::UpToDate:
      return entry + u"go on";
    case VersionCheckResult::AlreadyInstalled:
      return entry + u"the offered version is installed already";
    case VersionCheckResult::ClientTooOld:
      return entry + u"a newer installer is required";
    case VersionCheckResult::ServerUnreachable:
      return entry + u"the version file could not be had";
  }
  return entry + u"unknown";
}

namespace {

VersionCheckResult LoggedDecision(const InstallerContext& context, bool installed,
                                  VersionCheckResult result) {
  LogLine(VersionDecisionLogEntry(context.manifest, context.installedVersion, installed, result));
  return result;
}

}  // namespace

VersionCheckResult CheckVersion(InstallerContext& context, const AppFlags& flags,
                                ISystemServices& system, IStreamDownloader& downloader,
                                ValidationHandOver& handOver) {
  ProductManifest& manifest = context.manifest;
  const bool installed = flags.productInstalled != 0;
  if (manifest.standalone) {
    return LoggedDecision(context, installed,
                          CompareVersions(manifest, context.installedVersion, installed));
  }
  try {
    const std::u16string path = ComponentPath(context, u"version.xml", system.TickCount());
    bool opened = false;
    const bool result = DownloadIntoFile(downloader, manifest.versionCheckUrl, path, opened);
    if (opened) handOver.downloadResult = result ? 1 : 0;
    if (!ReadVersionFile(path, manifest)) {
      return LoggedDecision(context, installed, VersionCheckResult::ServerUnreachable);
    }
  } catch (const std::exception&) {
    return LoggedDecision(context, installed, VersionCheckResult::ServerUnreachable);
  }
  return LoggedDecision(context, installed,
                        CompareVersions(manifest, context.installedVersion, installed));
}

namespace {

// Removes a newer installer that must never be started and forgets its path.
void DiscardUpdater(ValidationHandOver& handOver) {
  if (!handOver.updaterPath.empty()) {
    RemoveFile(handOver.updaterPath);
  }
  handOver.updaterPath.clear();
  handOver.downloadResult = 0;
}

bool FetchUpdater(const std::u16string& url, IStreamDownloader& downloader,
                  ValidationHandOver& handOver) {
  try {
    bool opened = false;
    return DownloadIntoFile(downloader, url, handOver.updaterPath, opened);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

bool DownloadNewInstaller(const InstallerContext& context, const AppFlags& flags,
                          ISystemServices& system, IStreamDownloader& downloader,
                          ValidationHandOver& handOver, const DownloadChecks& checks) {
  const VersionOffer& offer =
      flags.productInstalled ? context.manifest.patchInstall : context.manifest.freshInstall;
  if (offer.downloadUrl.empty()) return false;
  handOver.downloadResult = 0;
  // A digest that cannot be checked could never let the updater run: fetch nothing.
  if (offer.webInstallerSha256 && !ParseSha256Hex(*offer.webInstallerSha256)) {
    DiagnosticLine(u"KORVO_DEBUG: The newer installer's digest is malformed: " +
                   *offer.webInstallerSha256 + u"\r\n");
    handOver.failureCause = FailureCause::PayloadIntegrity;
    return false;
  }
  handOver.updaterPath = context.MakeUpdaterPath(system);
  if (handOver.updaterPath.empty()) {
    handOver.failureCause = FailureCause::DownloadFailed;
    return false;
  }
  const int64_t announced = downloader.AnnouncedSize(offer.downloadUrl);
  if (announced > 0 &&
      !EnsureFreeSpace(checks, FolderOf(handOver.updaterPath), static_cast<uint64_t>(announced))) {
    handOver.failureCause = FailureCause::DiskSpace;
    handOver.updaterPath.clear();
    return false;
  }
  if (!FetchUpdater(offer.downloadUrl, downloader, handOver)) {
    // A partial updater must never be started: remove what was written.
    handOver.failureCause = FailureCause::DownloadFailed;
    DiscardUpdater(handOver);
    return false;
  }
  HeldPayloads held;
  const PayloadVerdict verdict =
      VerifyPayload(offer.webInstallerSha256, handOver.updaterPath, *checks.files, &held);
  if (!IsAccepted(verdict)) {
    handOver.failureCause =
        IsIntegrityFailure(verdict) ? FailureCause::PayloadIntegrity : FailureCause::DownloadFailed;
    DiscardUpdater(handOver);
    return false;
  }
  handOver.updaterHold = std::move(held.front());
  handOver.downloadResult = 1;
  return true;
}

std::optional<std::u16string> UpdaterToLaunch(const ValidationHandOver& handOver,
                                              ISystemServices& system) {
  if (handOver.outcome != ValidationOutcome::HandOver || handOver.updaterPath.empty()) {
    return std::nullopt;
  }
  if (!system.PathExists(handOver.updaterPath)) return std::nullopt;
  return handOver.updaterPath;
}

}  // namespace vwi
