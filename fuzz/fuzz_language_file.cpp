// A language file of arbitrary bytes read through the catalogue: every text
// looked up and filled with the placeholder formatter, every link judged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "localisation/portable_ini_reader.h"
#include "localisation/ui_string_catalogue.h"
#include "localisation/ui_text_format.h"
#include "platform/web_address.h"

namespace {

// Every language file holds the fuzz input.
class MemoryIniReader final : public vwi::IIniReader {
 public:
  explicit MemoryIniReader(std::u16string text) : text_(std::move(text)) {}
  std::u16string ReadString(const std::u16string&, std::u16string_view section,
                            std::u16string_view key, std::u16string_view fallback) const override {
    return vwi::FindIniValue(text_, section, key).value_or(std::u16string(fallback));
  }

 private:
  std::u16string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MemoryIniReader reader(
      vwi::DecodeIniText(std::string_view(reinterpret_cast<const char*>(data), size)));
  vwi::UiStringCatalogue strings;
  strings.languageFolder = u"C:\\Setup\\language\\";
  strings.languageId = 1031;
  strings.iniReader = &reader;
  for (const vwi::StringKey& key : vwi::kAllUiStrings) {
    strings.LookupUiString(key);
    vwi::FormatUiString(strings, key, {u"Vimzee Home", 12, 34, 56});
    vwi::FormatUiText(strings.LookupUiString(key), {u"C:\\Program Files\\Vimzee", -1});
  }
  for (const vwi::StringKey& key : vwi::kAllLinks) {
    const std::u16string link = strings.LookupLink(key);
    vwi::IsWebAddress(link);
    vwi::WithoutCredentials(link);
  }
  strings.LanguageTitle(1031);
  return 0;
}
