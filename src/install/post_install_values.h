// The registry values written after a fresh installation: where the product
// lives, its executable and the language the user chose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vwi {

// One value to write; REG_DWORD when `isNumber`, else REG_SZ.
struct RegistryValueWrite {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::u16string key;
  std::u16string name;
  bool isNumber = false;
  std::u16string text;
  uint32_t number = 0;

  bool operator==(const RegistryValueWrite&) const = default;
};

struct PostInstallInputs {
  bool productInstalled = false;
  std::u16string installFolder;  // the chosen folder; a trailing backslash is removed
  std::u16string mainExecutable;
  std::u16string registryPath;
  bool multipleLanguages = false;
  int32_t languageId = 1033;
};

// The companion program beside the product's executable whose resource
// language is recorded.
inline constexpr char16_t kCompanionProgram[] = u"vrelTandor2.exe";
inline constexpr char16_t kResourceLanguageKey[] = u"SOFTWARE\\Orvanta\\ResourceLangID";

// The values to write, in order; none after a repair of an installed product.
// Removes one trailing backslash from `in.installFolder`.
std::vector<RegistryValueWrite> PlanPostInstallValues(PostInstallInputs& in);

// Writes the values, each key created (or opened) in the process's own view;
// a key that cannot be opened for writing, or a write that fails, is passed
// over, since the installation has succeeded whatever the registry says.
void WriteRegistryValues(const std::vector<RegistryValueWrite>& values, IRegistry& registry);

}  // namespace vwi
