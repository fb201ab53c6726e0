// The product manifest reader on arbitrary file bytes, then the checks the
// context makes of what it read (digests, plain file names).
#include <cstddef>
#include <cstdint>

#include "context/manifest_reader.h"
#include "context/payload_digest.h"
#include "context/plain_file_name.h"
#include "xml/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vwi::MemoryFileSystem files(data, size);
  vwi::ProductManifest manifest;
  if (!vwi::ParseManifest(u"C:\\Setup\\config\\manifestHome.xml", manifest, files,
                          vwi::SystemCodePageConverter())) {
    return 0;
  }
  vwi::HasWellFormedDigests(manifest);
  vwi::HasPlainFileNames(manifest);
  for (const auto& dependency : manifest.dependencies) {
    if (dependency.sha256) vwi::ParseSha256Hex(*dependency.sha256);
  }
  return 0;
}
