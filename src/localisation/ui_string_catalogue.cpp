#include "localisation/ui_string_catalogue.h"

#include "platform/file_queries.h"
#include "platform/text.h"

namespace vwi {

std::u16string UiStringCatalogue::LanguageFilePath(int32_t language) const {
  return languageFolder + DecimalText(language) + u"\\stringHome.ini";
}

std::u16string UiStringCatalogue::SlideFolder(int32_t language, int scale) const {
  return languageFolder + DecimalText(language) + u"\\slidesHome\\" + DecimalText(scale) + u"\\";
}

std::u16string UiStringCatalogue::Lookup(int32_t language, std::u16string_view section,
                                         std::u16string_view key,
                                         std::u16string_view fallback) const {
  const std::u16string path = LanguageFilePath(language);
  if (!FileExists(path)) return std::u16string(fallback);
  return iniReader->ReadString(path, section, key, fallback);
}

std::u16string UiStringCatalogue::LookupUiString(const StringKey& key) const {
  return Lookup(languageId, u"UISTRING", key.key, key.defaultText);
}

std::u16string UiStringCatalogue::LookupLink(const StringKey& key) const {
  return Lookup(languageId, u"RLINK", key.key, key.defaultText);
}

std::u16string UiStringCatalogue::LanguageTitle(int32_t language) const {
  return Lookup(language, u"LANGUAGE", u"Title", DecimalText(language));
}

int SlideScaleForDpi(int dpi) {
  if (dpi >= 192) return 200;
  if (dpi >= 144) return 150;
  if (dpi < 120) return 100;
  return 125;
}

std::vector<std::u16string> UiStringCatalogue::SlideImages(int dpi) {
  if (slides_.empty()) {
    const std::u16string folder = SlideFolder(languageId, SlideScaleForDpi(dpi));
    for (const auto& name : FindFiles(folder, u"*.jpg")) slides_.push_back(folder + name);
  }
  return slides_;
}

}  // namespace vwi
