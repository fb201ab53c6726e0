#include "context/installer_context.h"

#include "context/existing_installation.h"
#include "context/language_list.h"
#include "context/manifest_reader.h"
#include "context/payload_digest.h"
#include "context/plain_file_name.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vwi {
namespace {

// True when the manifest carries the three values the installer cannot do
// without, every payload digest it gives can be checked, and every name it
// gives stays a plain file name.
bool HasRequiredValues(const ProductManifest& manifest) {
  return !manifest.pid.empty() && !manifest.registryPath.empty() &&
         !manifest.mainComponentUrl.empty() && HasWellFormedDigests(manifest) &&
         HasPlainFileNames(manifest);
}

}  // namespace

int32_t InstallerContext::Initialise(ContextServices& services) {
  programFolder.clear();
  const std::optional<std::u16string> programPath = services.system.ProgramPath();
  if (!programPath) return kProgramPathUnavailable;
  programFolder = WithoutTrailingBackslash(FolderOf(*programPath));
  if (programFolder.empty()) return kProgramPathUnavailable;

  manifestPath = programFolder + u"\\config\\manifestHome.xml";
  if (!ReadManifest(services, manifestPath, manifest)) return kManifestUnusable;
  if (!manifest.standalone) {
    if (const int32_t code = ApplyManifestOverride(services); code != kInitialiseOk) return code;
  }
  if (!HasRequiredValues(manifest)) return kManifestUnusable;

  // A language recorded by an earlier installation overrides the one chosen
  // from the offered languages, so the installation probe comes second (and
  // may be left for FinishInstallationProbe).
  ChooseLanguages(services);
  DetectInstallation(services);

  if (!PrepareWorkFolders(services.system)) return kFolderFailure;
  initialised = true;
  return kInitialiseOk;
}

bool InstallerContext::ReadManifest(ContextServices& services, const std::u16string& path,
                                    ProductManifest& into) {
  return ParseManifest(path, into, services.files, services.converter);
}

int32_t InstallerContext::ApplyManifestOverride(ContextServices& services) {
  const ManifestOverride override = ManifestPathOverride(services.registry);
  if (!override.exists) return kInitialiseOk;
  // The named manifest replaces the packaged one only as a whole: when it
  // cannot be read the packaged one stays, but the path names the failed file.
  manifestPath = override.path;
  ProductManifest named;
  if (!ReadManifest(services, manifestPath, named)) return kManifestUnusable;
  manifest = std::move(named);
  return kInitialiseOk;
}

void InstallerContext::ChooseLanguages(ContextServices& services) {
  BuildLanguageList(programFolder, manifest, services.flags.requestedLanguage,
                    services.userUiLanguage, {strings, languages, multipleLanguages});
}

void InstallerContext::DetectInstallation(ContextServices& services) {
  const InstallationProbes probes{services.registry, services.products, services.messageBox};
  // Windows Installer is slow to load. Before the first window it is asked
  // only when its answer can change that window's texts: when an earlier
  // installation recorded a language of its own.
  if (RecordedInitialLanguage(manifest.registryPath, services.registry, false)) {
    DetectExistingInstallation(manifest, {installedVersion, strings, services.flags}, probes);
    return;
  }
  pendingProbe_ = [this, probes, &flags = services.flags] {
    if (!DetectInstalledVersion(manifest, installedVersion, flags, probes)) return;
    // The language was settled before the first window showed; the key is
    // still opened as an installed product's probe always opens it.
    RecordedInitialLanguage(manifest.registryPath, probes.registry, true);
  };
}

void InstallerContext::FinishInstallationProbe() {
  if (!pendingProbe_) return;
  const std::function<void()> probe = std::move(pendingProbe_);
  pendingProbe_ = nullptr;
  probe();
}

bool InstallerContext::PrepareWorkFolders(ISystemServices& system) {
  const bool prepared = workFolders.Prepare(system, programFolder, manifest.standalone);
  // A standalone component folder that is missing keeps the path it would have.
  const auto pathOf = [&](WorkFolder kind, const char16_t* name) {
    const std::u16string held = workFolders.Path(kind);
    return held.empty() ? programFolder + u"\\" + name + u"\\" : held;
  };
  componentFolder = pathOf(WorkFolder::Component, u"component");
  msiFolder = pathOf(WorkFolder::Msi, u"msi");
  transformFolder = pathOf(WorkFolder::Transform, u"transform");
  return prepared;
}

}  // namespace vwi
