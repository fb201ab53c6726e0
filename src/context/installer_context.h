// The one process-wide record of what the installer knows: where it runs
// from, the product it installs, what is installed already, the languages it
// offers and the user's choices.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "context/context_services.h"
#include "context/product_manifest.h"
#include "context/work_folders.h"
#include "localisation/language_entry.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

// Results of Initialise.
enum InitialiseCode : int32_t {
  kInitialiseOk = 0,
  kManifestUnusable = 1,
  kFolderFailure = 2,
  kProgramPathUnavailable = 3,
};

class InstallerContext {
 public:
  bool initialised = false;
  std::u16string programFolder;
  ProductManifest manifest;
  std::u16string installedVersion;
  std::u16string manifestPath;
  std::u16string componentFolder;
  std::u16string msiFolder;
  std::u16string transformFolder;
  UiStringCatalogue strings;
  bool multipleLanguages = true;
  std::vector<LanguageEntry> languages;
  std::u16string installFolder = u"C:\\Program Files\\Orvanta";
  int32_t fileAssociation = 0;  // 0 all image types, 1 types not in use, 2 none
  // The folders behind componentFolder, msiFolder and transformFolder, held
  // until the end of the run.
  WorkFolders workFolders;

  // Fills the context at start-up; returns an InitialiseCode. Leaves
  // `initialised` 0 on failure, with the fields up to the failing step filled.
  int32_t Initialise(ContextServices& services);

  // Makes or opens the three work folders and holds them for the run (in the
  // protected place when elevated, else beside the program; see
  // WorkFolders), and sets their paths.
  bool PrepareWorkFolders(ISystemServices& system);

  // Runs the probe of an earlier installation when Initialise left it for
  // later; call before anything reads `installedVersion` or
  // `productInstalled`. Once done it does nothing.
  void FinishInstallationProbe();

  // The offered languages, as a copy for the language box.
  std::vector<LanguageEntry> LanguagesCopy() const { return languages; }

 private:
  bool ReadManifest(ContextServices& services, const std::u16string& path, ProductManifest& into);
  int32_t ApplyManifestOverride(ContextServices& services);
  void ChooseLanguages(ContextServices& services);
  void DetectInstallation(ContextServices& services);

  std::function<void()> pendingProbe_;
};

}  // namespace vwi
