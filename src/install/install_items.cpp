#include "install/install_items.h"

#include "platform/text.h"

namespace vwi {

namespace {

constexpr int32_t kEnglish = 1033;

class PlanBuilder {
 public:
  explicit PlanBuilder(bool standalone) : download_(!standalone) {}

  // An item whose file is `fileName` in the work folder `folder` (at `base`).
  void Add(std::u16string name, std::u16string url, WorkFolder folder, const std::u16string& base,
           std::u16string fileName, std::u16string commandLine, bool runAsProgram, uint32_t weight,
           std::optional<std::u16string> sha256) {
    plan_.items.push_back({std::move(name), std::move(url), base + fileName, std::move(commandLine),
                           download_, runAsProgram, std::move(sha256), folder,
                           std::move(fileName)});
    plan_.installWeights.push_back(weight);
    if (download_) plan_.downloadWeights.push_back(weight);
  }

  InstallPlan Take() { return std::move(plan_); }

 private:
  bool download_;
  InstallPlan plan_;
};

const ManifestLanguagePack* FindLanguagePack(const ProductManifest& manifest, int32_t id) {
  for (const auto& pack : manifest.languagePacks) {
    if (pack.languageId == id) return &pack;
  }
  return nullptr;
}

std::vector<int32_t> LanguagePackIds(const InstallerContext& context, const AppFlags& flags,
                                     int32_t current, IInstalledLanguagePacks& installed) {
  if (flags.productInstalled) return installed.InstalledLanguagePacks();
  if (context.multipleLanguages && current != kEnglish) return {current};
  return {};
}

}  // namespace

std::u16string LanguagePackName(int32_t languageId) {
  return u"language_pack_" + DecimalText(languageId) + u".exe";
}

std::u16string ComponentFileName(const InstallerContext& context, std::u16string_view name,
                                 uint32_t tick) {
  std::u16string file;
  if (!context.manifest.standalone) file = DecimalText(static_cast<int32_t>(tick));
  file += name;
  return file;
}

std::u16string LanguagePackPath(const InstallerContext& context, int32_t languageId,
                                uint32_t tick) {
  return context.componentFolder + ComponentFileName(context, LanguagePackName(languageId), tick);
}

InstallPlan BuildInstallItems(const InstallerContext& context, const AppFlags& flags,
                              int32_t language, IPrerequisiteProbe& prerequisites,
                              IInstalledLanguagePacks& languagePacks, uint32_t tick) {
  const ProductManifest& m = context.manifest;
  PlanBuilder plan(m.standalone);

  for (const auto& dependency : m.dependencies) {
    if (prerequisites.IsPrerequisiteSatisfied(dependency.name)) continue;
    plan.Add(dependency.name, dependency.url, WorkFolder::Component, context.componentFolder,
             ComponentFileName(context, dependency.name, tick), dependency.installCommandLine, 1,
             kPrerequisiteWeight, dependency.sha256);
  }

  plan.Add(m.mainComponentName, m.mainComponentUrl, WorkFolder::Msi, context.msiFolder,
           m.mainComponentName, {}, 0, kMainPackageWeight, m.mainComponentSha256);

  for (const auto& transform : m.transforms) {
    if (transform.languageId != language) continue;
    plan.Add(transform.name, transform.url, WorkFolder::Transform, context.transformFolder,
             DecimalText(language) + u".mst", {}, 0, kTransformWeight, transform.sha256);
    break;
  }

  for (int32_t id : LanguagePackIds(context, flags, language, languagePacks)) {
    const ManifestLanguagePack* pack = FindLanguagePack(m, id);
    if (!pack) continue;
    plan.Add(pack->name, pack->url, WorkFolder::Component, context.componentFolder,
             ComponentFileName(context, LanguagePackName(id), tick), u"/s", 1, kLanguagePackWeight,
             pack->sha256);
  }
  return plan.Take();
}

bool IsTransformPath(const std::u16string& path) { return EndsWithIgnoreAsciiCase(path, u".mst"); }

}  // namespace vwi
