#include "install/post_install_values.h"

#include "platform/paths.h"
#include "platform/registry_key.h"
#include "platform/text.h"

namespace vwi {
namespace {

constexpr int32_t kEnglish = 1033;

RegistryValueWrite Text(RegistryRoot root, std::u16string key, std::u16string name,
                        std::u16string text) {
  return {root, std::move(key), std::move(name), false, std::move(text), 0};
}

RegistryValueWrite Number(RegistryRoot root, std::u16string key, std::u16string name,
                          uint32_t number) {
  return {root, std::move(key), std::move(name), true, u"", number};
}

}  // namespace

std::vector<RegistryValueWrite> PlanPostInstallValues(PostInstallInputs& in) {
  std::vector<RegistryValueWrite> values;
  if (in.productInstalled) return values;

  in.installFolder = WithoutTrailingBackslash(std::move(in.installFolder));
  const std::u16string executable = JoinPath(in.installFolder, in.mainExecutable);
  const size_t lastSlash = executable.rfind(u'\\');
  // A folder whose only backslash is the one we added (an empty installation
  // folder) is no folder at all.
  const bool folderFound = lastSlash != 0;
  const std::u16string folder = executable.substr(0, lastSlash + 1);

  if (folderFound) {
    values.push_back(Text(RegistryRoot::kLocalMachine, in.registryPath, u"InstallDir", folder));
    values.push_back(Text(RegistryRoot::kLocalMachine, in.registryPath, u"exe", executable));
  }
  if (in.multipleLanguages && in.languageId != kEnglish) {
    const auto id = static_cast<uint32_t>(in.languageId);
    values.push_back(Number(RegistryRoot::kLocalMachine, in.registryPath + u"\\LanguagePacks",
                            u"InitialLangID", id));
    values.push_back(
        Number(RegistryRoot::kCurrentUser, in.registryPath, u"ApplicationLanguage", id));
    if (folderFound) {
      values.push_back(Text(RegistryRoot::kCurrentUser, kResourceLanguageKey,
                            folder + kCompanionProgram, DecimalText(in.languageId)));
    }
  }
  return values;
}

void WriteRegistryValues(const std::vector<RegistryValueWrite>& values, IRegistry& registry) {
  for (const RegistryValueWrite& value : values) {
    RegistryKey key(registry);
    if (!key.Open(value.root, value.key)) continue;
    if (value.isNumber) {
      key.SetNumber(value.name, value.number);
    } else {
      key.SetString(value.name, value.text);
    }
  }
}

}  // namespace vwi
