// The installation plan: the ordered item list built from the manifest and
// the probes, with the progress weights of each phase, and the local names
// of downloaded files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/app_flags.h"
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

// True for a transform file (".mst" without regard to case): it is applied to
// the main package and never installed on its own.
bool IsTransformPath(const std::u16string& path);

// "language_pack_<id>.exe", the name a language pack is saved under.
std::u16string LanguagePackName(int32_t languageId);

// A component's file name in the component folder: `name` itself for a
// standalone manifest; otherwise the tick count as a signed decimal, then
// `name`, so every run downloads into fresh files.
std::u16string ComponentFileName(const InstallerContext& context, std::u16string_view name,
                                 uint32_t tick);

// The component folder, then the component file name of LanguagePackName.
std::u16string LanguagePackPath(const InstallerContext& context, int32_t languageId, uint32_t tick);

// The plan, in the order: missing prerequisites, the main package, the
// transform of the chosen `language`, the language packs. Weights are not
// normalised yet.
InstallPlan BuildInstallItems(const InstallerContext& context, const AppFlags& flags,
                              int32_t language, IPrerequisiteProbe& prerequisites,
                              IInstalledLanguagePacks& languagePacks, uint32_t tick);

}  // namespace vwi
