#include "validation/version_check.h"

#include <exception>
#include <string_view>
#include <vector>

#include "download/fetch_payload.h"
#include "download/payload_check.h"
#include "download/web_page_answer.h"
#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/web_address.h"
#include "validation/publisher_rule.h"
#include "xml/memory_file.h"
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

bool ReadVersionText(std::string_view bytes, ProductManifest& manifest) {
  XmlDocument doc;
  doc.SetText(u"");
  doc.SetFileSizeLimit(kMaxVersionFileBytes);
  MemoryFileSystem received(bytes);
  if (!doc.LoadFile(u"version.xml", received, SystemCodePageConverter())) return false;
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

std::optional<std::string> FetchVersionFile(ITransfers& transfers, const std::u16string& url,
                                            TransferResult* failure) {
  StringSink received(static_cast<size_t>(kMaxVersionFileBytes));
  NeverCancelled never;
  TransferResult result = transfers.DownloadToStream(url, received, never, {});
  if (result.ok() &&
      LooksLikeWebPage(std::string_view(received.text).substr(0, kWebPageSniffBytes))) {
    result.failure = TransferFailure::WebPage;
  }
  if (failure) *failure = result;
  if (result.failure == TransferFailure::WebPage) {
    LogLine(u"The version file's address " + WithoutCredentials(url) +
            u" answered with a web page instead of the download");
    return std::nullopt;
  }
  if (!result.ok()) {
    LogLine(u"The version file from " + WithoutCredentials(url) + u" did not arrive: " +
            TransferResultText(result));
    return std::nullopt;
  }
  return std::move(received.text);
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
                                ITransfers& transfers, ValidationHandOver& handOver) {
  ProductManifest& manifest = context.manifest;
  const bool installed = flags.productInstalled;
  if (manifest.standalone) {
    return LoggedDecision(context, installed,
                          CompareVersions(manifest, context.installedVersion, installed));
  }
  try {
    handOver.versionAddress = WithoutCredentials(manifest.versionCheckUrl);
    const std::optional<std::string> received =
        FetchVersionFile(transfers, manifest.versionCheckUrl, &handOver.versionTransfer);
    handOver.downloadResult = received ? 1 : 0;
    if (!received || !ReadVersionText(*received, manifest)) {
      return LoggedDecision(context, installed, VersionCheckResult::ServerUnreachable);
    }
  } catch (const std::exception&) {
    return LoggedDecision(context, installed, VersionCheckResult::ServerUnreachable);
  }
  return LoggedDecision(context, installed,
                        CompareVersions(manifest, context.installedVersion, installed));
}

namespace {

// Refuses the newer installer for good: it is let go and removed, and the
// hand-over forgets it.
bool Refuse(ValidationHandOver& handOver, FailureCause cause, std::u16string_view fileName) {
  handOver.updaterHold.reset();
  if (handOver.updaterFolder) handOver.updaterFolder->Remove(fileName);
  handOver.updaterFolder.reset();
  handOver.updaterPath.clear();
  handOver.downloadResult = 0;
  handOver.failureCause = cause;
  return false;
}

// Whether the held newer installer is the publisher's own.
UpdaterTrust JudgeHeldUpdater(ValidationHandOver& handOver, PayloadVerdict digest,
                              const DownloadChecks& checks) {
  const SignatureFacts own = checks.signatures->OwnSignature();
  SignatureFacts updater;
  if (own.present) updater = checks.signatures->Read(*handOver.updaterHold, handOver.updaterPath);
  const UpdaterTrust trust = JudgeUpdater(own, updater, digest, RenewedPublisherKeys());
  LogLine(u"The newer installer " + handOver.updaterPath +
          (trust == UpdaterTrust::Trusted ? u" is accepted: " : u" is refused: ") +
          std::u16string(UpdaterTrustText(trust)));
  return trust;
}

}  // namespace

bool DownloadNewInstaller(const InstallerContext& context, const AppFlags& flags,
                          ISystemServices& system, ITransfers& transfers,
                          ValidationHandOver& handOver, const DownloadChecks& checks) {
  const VersionOffer& offer =
      flags.productInstalled ? context.manifest.patchInstall : context.manifest.freshInstall;
  if (offer.downloadUrl.empty()) return false;
  handOver.downloadResult = 0;
  const std::u16string name = context.manifest.fullName + u".exe";
  // A digest that cannot be checked could never let the updater run: fetch nothing.
  if (offer.webInstallerSha256 && !ParseSha256Hex(*offer.webInstallerSha256)) {
    DiagnosticLine(u"KORVO_DEBUG: The newer installer's digest is malformed: " +
                   *offer.webInstallerSha256 + u"\r\n");
    return Refuse(handOver, FailureCause::PayloadIntegrity, name);
  }
  // Nothing could prove an unsigned build's updater: fetch nothing.
  if (!offer.webInstallerSha256 && !checks.signatures->OwnSignature().present) {
    LogLine(u"The newer installer is not fetched: " +
            std::u16string(UpdaterTrustText(UpdaterTrust::NoProof)));
    return Refuse(handOver, FailureCause::PayloadIntegrity, name);
  }
  handOver.updaterFolder = context.workFolders.MakeUpdaterFolder(system);
  if (!handOver.updaterFolder) return Refuse(handOver, FailureCause::DownloadFailed, name);
  // Fetched, checked against its digest and held, as every package is.
  CDownloadJob job(offer.downloadUrl, handOver.updaterFolder->Path() + name);
  NeverCancelled never;
  FetchResult fetched =
      FetchPayload(job, {*handOver.updaterFolder, name, offer.webInstallerSha256, name}, transfers,
                   checks, never);
  if (!fetched.fetched()) {
    if (fetched.cause == FailureCause::DownloadFailed) {
      LogLine(u"The newer installer was not downloaded: " + TransferResultText(fetched.transfer));
    }
    // A partial updater must never be started: what was written is removed.
    return Refuse(handOver, fetched.cause, name);
  }
  handOver.updaterHold = std::move(fetched.file);
  handOver.updaterPath = handOver.updaterFolder->Path() + name;
  if (JudgeHeldUpdater(handOver, fetched.verdict, checks) != UpdaterTrust::Trusted) {
    return Refuse(handOver, FailureCause::PayloadIntegrity, name);
  }
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
