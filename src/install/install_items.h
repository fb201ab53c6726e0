// The installation plan: the ordered item list built from the manifest and
// the probes, with the progress weights of each phase, and the local names
// of downloaded files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/app_flags.h"
#include "context/component_path.h"
#include "context/installer_context.h"
#include "install/install_item.h"
#include "install/install_status.h"

namespace vwi {

// Tells whether a prerequisite (by its installer's file name) is on the
// machine already; a name it does not know counts as absent.
class IPrerequisiteProbe {
 public:
  virtual ~IPrerequisiteProbe() = default;
  virtual bool IsPrerequisiteSatisfied(const std::u16string& fileName) = 0;
};

// The LANGIDs of the language packs an earlier installation recorded.
class IInstalledLanguagePacks {
 public:
  virtual ~IInstalledLanguagePacks() = default;
  virtual std::vector<int32_t> InstalledLanguagePacks() = 0;
};

inline constexpr uint32_t kPrerequisiteWeight = 40;
inline constexpr uint32_t kMainPackageWeight = 50;
inline constexpr uint32_t kTransformWeight = 5;
inline constexpr uint32_t kLanguagePackWeight = 5;

struct InstallPlan {
  std::vector<InstallItem> items;
  std::vector<uint32_t> downloadWeights;  // items with download = 1, in order
  std::vector<uint32_t> installWeights;   // every item, in order
};

// "language_pack_<id>.exe", the name a language pack is saved under.
std::u16string LanguagePackName(int32_t languageId);

// ComponentPath of LanguagePackName.
std::u16string LanguagePackPath(const InstallerContext& context, int32_t languageId, uint32_t tick);

// The plan, in the order: missing prerequisites, the main package, the
// transform of the interface language, the language packs. Weights are not
// normalised yet.
InstallPlan BuildInstallItems(const InstallerContext& context, const AppFlags& flags,
                              IPrerequisiteProbe& prerequisites,
                              IInstalledLanguagePacks& languagePacks, uint32_t tick);

}  // namespace vwi
