// LoadFile from real files: marks, declarations, the UTF-8 check, NULs,
// byte swapping, code pages, and the file errors.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "load_file_cases.h"
#include "platform/text.h"
#include "xml/xml_document.h"

namespace vwi {
namespace {

std::u16string Fixture(const char* name) {
  return Utf16FromUtf8(std::string(VWI_FIXTURES) + "/xml/" + name);
}

class LoadFileCases : public ::testing::TestWithParam<load_file_cases::Case> {};

TEST_P(LoadFileCases, GiveTheirLogTextAndVerdict) {
  load_file_cases::Check(GetParam(), Fixture(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LoadFileCases, ::testing::ValuesIn(load_file_cases::kCases),
                         load_file_cases::CaseName);

TEST(LoadFile, MarkIsNotPartOfTheText) {
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(Fixture("utf8_bom.xml")));
  EXPECT_EQ(doc.text(), u"<r><v>caf\u00E9</v></r>");
  ASSERT_TRUE(doc.LoadFile(Fixture("utf16be_bom.xml")));
  EXPECT_EQ(doc.text(), u"<r><v>caf\u00E9</v></r>");
}

TEST(LoadFile, MissingFileLogsOneFileErrorAndClearsTheDocument) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(u"<old><x/></old>"));
  ASSERT_TRUE(doc.FindElement(u"old"));
  EXPECT_FALSE(doc.LoadFile(Fixture("no_such_file.xml")));
  EXPECT_EQ(doc.resultLog(), u"<file_error msg=\"No such file or directory\" n=\"2\"/>");
  EXPECT_EQ(doc.text(), u"");
  // Nothing of the earlier text is reachable any more.
  EXPECT_FALSE(doc.FindElement(u"old"));
  EXPECT_EQ(doc.nextFreeIndex(), 1);
  EXPECT_EQ(doc.GetElementText(1), u"");
}

TEST(LoadFile, ADirectoryIsAFileError) {
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(Utf16FromUtf8(std::string(VWI_FIXTURES) + "/xml")));
  EXPECT_EQ(doc.resultLog().substr(0, 12), u"<file_error ");
}

// Sparse files: sizes near and past the 32-bit limit cost no disk space.
class SparseFile {
 public:
  explicit SparseFile(off_t size) {
    char name[] = "/tmp/vwi_xml_sparseXXXXXX";
    const int fd = mkstemp(name);
    path_ = name;
    ok_ = fd >= 0 && write(fd, "<", 1) == 1 && ftruncate(fd, size) == 0;
    if (fd >= 0) close(fd);
  }
  ~SparseFile() { unlink(path_.c_str()); }
  bool ok() const { return ok_; }
  std::u16string path() const { return Utf16FromUtf8(path_); }

 private:
  std::string path_;
  bool ok_ = false;
};

TEST(LoadFile, FilesOf2GiBOrMoreAreRefusedBeforeReading) {
  for (off_t size : {off_t{1} << 31, (off_t{1} << 32) + 10}) {
    SparseFile file(size);
    ASSERT_TRUE(file.ok());
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(file.path()));
    EXPECT_EQ(doc.resultLog(), u"<file_error msg=\"File too large\" n=\"27\"/>");
    EXPECT_EQ(doc.text(), u"");
  }
}

TEST(LoadFile, ErrorMessagesAreCutAtALineBreakAndAt100Units) {
  class Failing : public IRawFileSystem {
   public:
    explicit Failing(std::u16string message) : message_(std::move(message)) {}
    std::unique_ptr<IRawFile> OpenForReading(std::u16string_view, FileError& e) override {
      e = FileError{5, message_};
      return nullptr;
    }
    FileError SystemError(Problem) override { return {}; }

   private:
    std::u16string message_;
  };
  XmlDocument doc;
  Failing lineBreak(u"Access is denied.\r\nMore");
  EXPECT_FALSE(doc.LoadFile(u"x", lineBreak, SystemCodePageConverter()));
  EXPECT_EQ(doc.resultLog(), u"<file_error msg=\"Access is denied.\" n=\"5\"/>");
  Failing longText(std::u16string(150, u'm'));
  EXPECT_FALSE(doc.LoadFile(u"x", longText, SystemCodePageConverter()));
  EXPECT_EQ(doc.resultLog(), u"<file_error msg=\"" + std::u16string(100, u'm') + u"\" n=\"5\"/>");
}

// A file that reports more bytes than it gives (it shrank while being read).
class ShrinkingFiles : public IRawFileSystem {
 public:
  class File : public IRawFile {
   public:
    bool Length(int64_t& length, FileError&) override {
      length = 5000;
      return true;
    }
    bool Seek(int64_t, FileError&) override { return true; }
    // 100 bytes, then the end.
    bool Read(char* buffer, int32_t count, int32_t& got, FileError&) override {
      got = std::min<int32_t>(count, 100 - given_);
      std::fill(buffer, buffer + got, 'x');
      if (given_ == 0 && got > 0) buffer[0] = '<';
      given_ += got;
      return true;
    }
    bool Close(FileError&) override { return true; }

   private:
    int32_t given_ = 0;
  };
  std::unique_ptr<IRawFile> OpenForReading(std::u16string_view, FileError&) override {
    return std::make_unique<File>();
  }
  FileError SystemError(Problem) override { return {}; }
};

TEST(LoadFile, ShortReadIsAFileErrorWithoutASystemError) {
  ShrinkingFiles files;
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(u"x", files, SystemCodePageConverter()));
  EXPECT_EQ(doc.resultLog(), u"<file_error msg=\"\" n=\"0\"/>");
  EXPECT_EQ(doc.text(), u"");
}

}  // namespace
}  // namespace vwi
