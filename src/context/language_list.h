// The languages offered by this installer and the choice of the
// user-interface language at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/product_manifest.h"
#include "localisation/language_entry.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

// The base language named by the first two characters of a product id.
struct BaseLanguage {
  LanguageEntry entry;
  bool isDefault = false;  // a non-English base is requested unless "/lang" says otherwise
};
BaseLanguage BaseLanguageForPid(std::u16string_view pid);

// What the language choice reads and writes.
struct LanguageChoice {
  UiStringCatalogue& strings;             // languageFolder set, languageId maybe changed
  std::vector<LanguageEntry>& languages;  // filled in display order
  bool& multipleLanguages;                // cleared when fewer than two are offered
};

// Sets the language folder below `programFolder`, lists the base language and
// the manifest's language packs (named by their language files' titles), and
// selects the requested language when it is offered: the "/lang" value when
// it is a positive number, else (or with no "/lang") a non-English base
// language, else the user's own user-interface language.
void BuildLanguageList(const std::u16string& programFolder, const ProductManifest& manifest,
                       std::u16string_view requestedLanguage, int32_t userUiLanguage,
                       LanguageChoice choice);

// The user's default user-interface language (GetUserDefaultUILanguage); 1033 off Windows.
int32_t UserDefaultUiLanguage();

}  // namespace vwi
