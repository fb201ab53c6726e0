// XmlDocument::LoadFile: the file phase, then the same parse as SetText.
#include "xml/xml_document.h"
#include "xml/xml_file_reader.h"

namespace vwi {

bool XmlDocument::LoadFile(std::u16string_view path) {
  return LoadFile(path, SystemFileSystem(), SystemCodePageConverter());
}

bool XmlDocument::LoadFile(std::u16string_view path, IRawFileSystem& files,
                           ICodePageConverter& converter) {
  XmlFileReader reader(files, converter, flags_ | reader_flags::kReading);
  if (fileSizeLimit_ > 0) reader.SetSizeLimit(fileSizeLimit_);
  const bool opened = reader.Open(path);
  resultLog_ = reader.log();
  text_.clear();
  bool read = false;
  if (opened) {
    read = reader.Read(text_);
    reader.Close();
    resultLog_ += reader.log();
    flags_ = reader.mode() & reader_flags::kByteOrderMarks;
  }
  if (!read) {
    // Nothing of an earlier text may stay reachable through the index.
    text_.clear();
    Parse(false);
    return false;
  }
  return Parse(true);
}

}  // namespace vwi
