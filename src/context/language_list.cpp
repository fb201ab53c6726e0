#include "context/language_list.h"

#include "platform/text.h"

namespace vwi {

BaseLanguage BaseLanguageForPid(std::u16string_view pid) {
  struct Row {
    std::u16string_view prefix;
    std::u16string_view name;
    int32_t languageId;
  };
  static constexpr Row kBases[] = {
      {u"de", u"German", 1031},
      {u"fr", u"French", 1036},
      {u"za", u"Chinese (Simplified)", 2052},
      {u"zh", u"Chinese (Traditional)", 1028},
      {u"ja", u"Japanese", 1041},
      {u"it", u"Italian", 1040},
      {u"es", u"Spanish", 1034},
  };
  if (pid.size() >= 2) {
    for (const Row& row : kBases) {
      if (EqualsIgnoreAsciiCase(pid.substr(0, 2), row.prefix)) {
        return {{std::u16string(row.name), row.languageId}, true};
      }
    }
  }
  return {{u"English", 1033}, false};
}

void BuildLanguageList(const std::u16string& programFolder, const ProductManifest& manifest,
                       std::u16string_view requestedLanguage, int32_t userUiLanguage,
                       LanguageChoice choice) {
  choice.strings.languageFolder = programFolder + u"\\language\\";

  const BaseLanguage base = BaseLanguageForPid(manifest.pid);
  choice.languages.push_back(base.entry);
  for (const ManifestLanguagePack& pack : manifest.languagePacks) {
    choice.languages.push_back({choice.strings.LanguageTitle(pack.languageId), pack.languageId});
  }

  int32_t requested = userUiLanguage;
  if (!requestedLanguage.empty()) {
    const int32_t number = ParseLenientInt(requestedLanguage);
    if (number > 0) requested = number;
  } else if (base.isDefault) {
    requested = base.entry.languageId;
  }
  for (const LanguageEntry& entry : choice.languages) {
    if (entry.languageId == requested) {
      choice.strings.languageId = entry.languageId;
      break;
    }
  }

  if (choice.languages.size() < 2) choice.multipleLanguages = false;
}

}  // namespace vwi
