#include "install/post_install_values.h"

#include "platform/text.h"

namespace vwi {
namespace {

constexpr int32_t kEnglish = 1033;

RegistryValueWrite Text(RegistryHive hive, std::u16string key, std::u16string name,
                        std::u16string text) {
  return {hive, std::move(key), std::move(name), false, std::move(text), 0};
}

RegistryValueWrite Number(RegistryHive hive, std::u16string key, std::u16string name,
                          uint32_t number) {
  return {hive, std::move(key), std::move(name), true, u"", number};
}

}  // namespace

std::vector<RegistryValueWrite> PlanPostInstallValues(PostInstallInputs& in) {
  std::vector<RegistryValueWrite> values;
  if (in.productInstalled) return values;

  if (!in.installFolder.empty() && in.installFolder.back() == u'\\') in.installFolder.pop_back();
  const std::u16string executable = in.installFolder + u"\\" + in.mainExecutable;
  const size_t lastSlash = executable.rfind(u'\\');
  // A folder whose only backslash is the one we added (an empty installation
  // folder) is no folder at all.
  const bool folderFound = lastSlash != 0;
  const std::u16string folder = executable.substr(0, lastSlash + 1);

  if (folderFound) {
    values.push_back(Text(RegistryHive::kLocalMachine, in.registryPath, u"InstallDir", folder));
    values.push_back(Text(RegistryHive::kLocalMachine, in.registryPath, u"exe", executable));
  }
  if (in.multipleLanguages && in.languageId != kEnglish) {
    const auto id = static_cast<uint32_t>(in.languageId);
    values.push_back(Number(RegistryHive::kLocalMachine, in.registryPath + u"\\LanguagePacks",
                            u"InitialLangID", id));
    values.push_back(
        Number(RegistryHive::kCurrentUser, in.registryPath, u"ApplicationLanguage", id));
    if (folderFound) {
      values.push_back(Text(RegistryHive::kCurrentUser, kResourceLanguageKey,
                            folder + kCompanionProgram, DecimalText(in.languageId)));
    }
  }
  return values;
}

}  // namespace vwi
