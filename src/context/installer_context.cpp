#include "context/installer_context.h"

#include "platform/text.h"

namespace vwi {
namespace {

// True when the manifest carries the three values the installer cannot do without.
bool HasRequiredValues(const ProductManifest& manifest) {
  return !manifest.pid.empty() && !manifest.registryPath.empty() &&
         !manifest.mainComponentUrl.empty();
}

}  // namespace

int32_t InstallerContext::Initialise(ContextServices& services) {
  programFolder.clear();
  const std::optional<std::u16string> programPath = services.system.ProgramPath();
  if (!programPath) return kProgramPathUnavailable;
  const size_t cut = programPath->rfind(u'\\');
  if (cut == std::u16string::npos || cut == 0) return kProgramPathUnavailable;
  programFolder = programPath->substr(0, cut);

  manifestPath = programFolder + u"\\config\\manifestHome.xml";
  if (!ReadManifest(services, manifestPath, manifest)) return kManifestUnusable;
  if (!manifest.standalone) {
    if (const int32_t code = ApplyManifestOverride(services); code != kInitialiseOk) return code;
  }
  if (!HasRequiredValues(manifest)) return kManifestUnusable;

  // A language recorded by an earlier installation overrides the one chosen
  // from the offered languages, so the installation probe comes second.
  ChooseLanguages(services);
  DetectInstallation(services);

  if (!PrepareWorkFolders(services.system)) return kFolderFailure;
  initialised = 1;
  return kInitialiseOk;
}

bool InstallerContext::ReadManifest(ContextServices& services, const std::u16string& path,
                                    ProductManifest& into) {
  // The manifest reader is connected here; until then only a missing file is told apart.
  (void)into;
  return services.system.PathExists(path);
}

int32_t InstallerContext::ApplyManifestOverride(ContextServices&) {
  // A manifest named in the per-user registry replaces the packaged one here.
  return kInitialiseOk;
}

void InstallerContext::ChooseLanguages(ContextServices&) {
  strings.languageFolder = programFolder + u"\\language\\";
}

void InstallerContext::DetectInstallation(ContextServices&) {}

bool InstallerContext::PrepareWorkFolders(ISystemServices& system) {
  componentFolder = programFolder + u"\\component\\";
  msiFolder = programFolder + u"\\msi\\";
  transformFolder = programFolder + u"\\transform\\";

  if (!manifest.standalone) {
    // Start from an empty component folder when we can; a folder that still
    // holds files from an earlier run stays and is used as it is. A standalone
    // package brings its components in that folder, so it is left alone.
    if (system.PathExists(componentFolder)) system.RemoveEmptyFolder(componentFolder);
    if (!system.PathExists(componentFolder) && !system.CreateFolderTree(componentFolder)) {
      return false;
    }
  }
  if (!system.PathExists(msiFolder) && !system.CreateFolderTree(msiFolder)) return false;
  if (system.PathExists(transformFolder)) return true;
  return system.CreateFolderTree(transformFolder);
}

std::u16string InstallerContext::MakeUpdaterPath(ISystemServices& system) const {
  // The tick count is shown signed, as the folder names have always been.
  const std::u16string temp = system.TempFolder();
  if (temp.empty()) return {};
  const int32_t tick = static_cast<int32_t>(system.TickCount());
  const std::u16string folder = temp + u"VrelWebInstaller_" + DecimalText(tick);
  if (!system.PathExists(folder) && !system.CreateFolderTree(folder)) return {};
  return folder + u"\\" + manifest.fullName + u".exe";
}

}  // namespace vwi
