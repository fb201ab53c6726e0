// LoadFile of arbitrary bytes, through an in-memory file and the native
// code-page conversion, then a walk of every element.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_walk.h"
#include "xml/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vwi::MemoryFileSystem files(data, size);
  vwi::XmlDocument doc;
  doc.LoadFile(u"fuzz.xml", files, vwi::SystemCodePageConverter());
  vwi::WalkDocument(doc);
  return 0;
}
