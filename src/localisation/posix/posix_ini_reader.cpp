// Natively the language files are read by the portable reader.
#include "localisation/portable_ini_reader.h"

namespace vwi {

const IIniReader& SystemIniReader() {
  static const PortableIniReader reader;
  return reader;
}

}  // namespace vwi
