#include "app/run_log_entries.h"

#include "context/installer_context.h"
#include "platform/text.h"
#include "platform/web_address.h"
#include "validation/version_check.h"

namespace vwi {
namespace {

std::u16string Line(std::u16string_view name, std::u16string_view value) {
  return u"  " + std::u16string(name) + u": " + std::u16string(value) + u"\n";
}

std::u16string_view OutcomeName(int32_t outcome) {
  constexpr std::u16string_view kNames[] = {u"proceed", u"stop",
                                            u"hand over to the newer installer"};
  return NameIn(kNames, outcome);
}

}  // namespace

std::u16string_view InstallStateName(InstallState state) {
  // 1 is no state the worker reports.
  constexpr std::u16string_view kNames[] = {u"not started", u"unknown",    u"downloading",
                                            u"installing",  u"cancelling", u"finished",
                                            u"failed",      u"cancelled"};
  static_assert(std::size(kNames) == static_cast<size_t>(InstallState::Cancelled) + 1);
  return NameIn(kNames, state);
}

std::u16string ManifestLogEntry(const InstallerContext& context) {
  const ProductManifest& m = context.manifest;
  std::u16string entry = u"Manifest: " + context.manifestPath + u"\n";
  entry += Line(u"web_installer_version", m.webInstallerVersion);
  entry += Line(u"product_code", m.productCode);
  entry += Line(u"pid", m.pid);
  entry += Line(u"full_name", m.fullName);
  entry += Line(u"registry", m.registryPath);
  entry += Line(u"standalone", m.standalone ? u"true" : u"false");
  if (m.standalone) entry += Line(u"standalone_version", m.standaloneVersion);
  entry += Line(u"version_check_url", WithoutCredentials(m.versionCheckUrl));
  entry +=
      Line(u"main_component", m.mainComponentName + u" " + WithoutCredentials(m.mainComponentUrl) +
                                  (m.mainComponentSha256 ? u" (with digest)" : u""));
  entry += Line(u"transforms", DecimalText(static_cast<int64_t>(m.transforms.size())));
  entry += Line(u"language_packs", DecimalText(static_cast<int64_t>(m.languagePacks.size())));
  entry += Line(u"dependencies", DecimalText(static_cast<int64_t>(m.dependencies.size())));
  entry += Line(u"installed version",
                context.installedVersion.empty() ? u"none" : context.installedVersion);
  entry += Line(u"installation folder", context.installFolder);
  return entry;
}

std::u16string ExitLogEntry(const RunReport& report, int exitCode) {
  std::u16string entry = u"Run ended: ";
  if (report.initialiseCode != 0) {
    entry += u"set-up failed (" + DecimalText(report.initialiseCode) + u")";
  } else if (report.layoutRan) {
    entry += u"layout " + std::u16string(report.layoutCause == FailureCause::None
                                             ? u"made"
                                             : FailureCauseName(report.layoutCause));
  } else if (report.validationOutcome != 0) {
    entry += u"validator: " + std::u16string(OutcomeName(report.validationOutcome));
    if (report.validationCause != FailureCause::None) {
      entry += u", " + std::u16string(FailureCauseName(report.validationCause));
    }
  } else {
    const RunOutcome& w = report.wizard;
    entry += u"installation " + std::u16string(InstallStateName(w.state));
    if (w.cause != FailureCause::None) entry += u", " + std::u16string(FailureCauseName(w.cause));
    if (w.restartRequired) entry += u", restart required";
  }
  return entry + u"; exit code " + DecimalText(exitCode);
}

}  // namespace vwi
