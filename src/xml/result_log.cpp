#include "xml/result_log.h"

#include "platform/text.h"
#include "xml/xml_document.h"

namespace vwi {

void RecordResult(std::u16string& log, const ResultEntry& entry) {
  if (log.size() > kResultLogLimit) return;
  XmlDocument doc;
  doc.SetLogText(log);
  if (!doc.AddElement(entry.key)) return;
  const int32_t index = doc.currentIndex();
  if (!entry.textName.empty()) doc.SetAttribute(index, entry.textName, entry.textValue);
  if (!entry.numberName.empty()) {
    doc.SetAttribute(index, entry.numberName, DecimalText(entry.number));
  }
  if (entry.offset2) doc.SetAttribute(index, u"offset2", DecimalText(*entry.offset2));
  log = doc.text();
}

void UpdateResult(std::u16string& log, std::u16string_view key, std::u16string_view name,
                  std::u16string_view value) {
  XmlDocument doc;
  doc.SetLogText(log);
  if (!doc.FindElement(key)) return;
  doc.SetAttribute(doc.currentIndex(), name, value);
  log = doc.text();
}

}  // namespace vwi
