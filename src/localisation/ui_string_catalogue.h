// The catalogue of user-interface texts: English defaults, overridden by the
// language file of the chosen language, and the slide pictures of that
// language. The files are read afresh on every lookup, so a language picked in
// the settings panel applies to every later lookup; lookups may run on any
// thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "localisation/ini_reader.h"
#include "localisation/ui_string_keys.h"

namespace vwi {

class UiStringCatalogue {
 public:
  int32_t languageId = 1033;      // the user-interface language (a LANGID)
  std::u16string languageFolder;  // programFolder + "\language\", ends in a backslash
  const IIniReader* iniReader = &SystemIniReader();  // how language files are read

  // The text of `key` in the current language (section "UISTRING"), or its
  // default when the language file or the key is missing.
  std::u16string LookupUiString(const StringKey& key) const;
  // The address of an "IDS_RLINK_" key in the current language (section "RLINK").
  std::u16string LookupLink(const StringKey& key) const;
  // The display name of any language ("Title" of section "LANGUAGE"), or its
  // number in decimal when it has no language file.
  std::u16string LanguageTitle(int32_t language) const;

  // Full paths of the current language's slide pictures for a screen at
  // `dpi` (or a DPI bucket; 0, a screen that cannot be asked, takes the
  // 96-DPI pictures). Built on the first call that finds pictures and kept
  // from then on.
  std::vector<std::u16string> SlideImages(int dpi);

  // languageFolder + language + "\stringHome.ini".
  std::u16string LanguageFilePath(int32_t language) const;
  // languageFolder + language + "\slidesHome\" + scale + "\".
  std::u16string SlideFolder(int32_t language, int scale) const;

 private:
  std::u16string Lookup(int32_t language, std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) const;

  std::vector<std::u16string> slides_;  // the kept slide list
};

// The slide folder's scale for a DPI: 200 from 192, 150 from 144, 125 from
// 120, 100 below.
int SlideScaleForDpi(int dpi);

}  // namespace vwi
