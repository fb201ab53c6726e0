#include "download/payload_check.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/diagnostics.h"
#include "platform/posix/posix_held_folder.h"
#include "platform/text.h"
#include "unit/download/sha256_vectors.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

TEST(Sha256, KnownVectors) {
  for (const test::Sha256Vector& v : test::Sha256Vectors()) {
    EXPECT_EQ(test::Sha256HexOf(v.message), v.digest) << v.message.size() << " bytes";
  }
}

constexpr const char16_t* kAbc = test::kAbcSha256;

TEST(PayloadVerdicts, FromTheGivenAndTheComputedDigest) {
  const Sha256Digest abc = *ParseSha256Hex(kAbc);
  Sha256Digest other = abc;
  other[31] ^= 1;
  EXPECT_EQ(JudgePayload(std::nullopt, std::nullopt), PayloadVerdict::NoDigest);
  EXPECT_EQ(JudgePayload(std::nullopt, abc), PayloadVerdict::NoDigest);
  EXPECT_EQ(JudgePayload(std::u16string(kAbc), abc), PayloadVerdict::Matched);
  EXPECT_EQ(JudgePayload(AsciiLower(u"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F200"
                                    u"15AD"),
                         abc),
            PayloadVerdict::Matched);
  EXPECT_EQ(JudgePayload(std::u16string(kAbc), other), PayloadVerdict::Mismatched);
  EXPECT_EQ(JudgePayload(std::u16string(kAbc), std::nullopt), PayloadVerdict::Unreadable);
  EXPECT_EQ(JudgePayload(u"abc", abc), PayloadVerdict::MalformedDigest);
  EXPECT_EQ(JudgePayload(u"", std::nullopt), PayloadVerdict::MalformedDigest);
  EXPECT_TRUE(IsAccepted(PayloadVerdict::NoDigest));
  EXPECT_TRUE(IsAccepted(PayloadVerdict::Matched));
  EXPECT_FALSE(IsAccepted(PayloadVerdict::Mismatched));
  EXPECT_FALSE(IsAccepted(PayloadVerdict::Unreadable));
  EXPECT_FALSE(IsAccepted(PayloadVerdict::MalformedDigest));
}

// Packages in a native folder of their own, held as the download phase holds them.
struct Payloads : testing::Test {
  void SetUp() override {
    root =
        fs::temp_directory_path() / ("vwi-payloads-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "w");
    fs::create_directories(root / "elsewhere");
    folder = OpenPosixHeldFolder(Utf16FromUtf8((root / "w").string()), false).folder;
    ASSERT_TRUE(folder);
  }
  void TearDown() override { fs::remove_all(root); }
  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(root / "w" / name, std::ios::binary) << bytes;
  }
  bool Exists(const std::string& name) const {
    return fs::exists(fs::symlink_status(root / "w" / name));
  }
  PayloadVerdict Verify(const std::optional<std::u16string>& expected, std::u16string_view name,
                        HeldPayloads* held = nullptr) {
    return VerifyPayload(expected, folder->HoldFile(name), *folder, name, held);
  }
  fs::path root;
  std::unique_ptr<IHeldFolder> folder;
};

// A held file that counts its reads.
struct CountedFile final : IHeldFile {
  explicit CountedFile(std::unique_ptr<IHeldFile> real, int& reads)
      : real(std::move(real)), reads(reads) {}
  std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) override {
    ++reads;
    return real->ReadAt(offset, buffer, size);
  }
  std::optional<uint64_t> Size() override { return real->Size(); }
  void* NativeHandle() override { return real->NativeHandle(); }
  std::unique_ptr<IHeldFile> real;
  int& reads;
};

TEST_F(Payloads, EveryFileNotAcceptedIsRemoved) {
  Put("a.msi", "abc");
  Put("b.msi", "abd");
  Put("c.msi", "abc");
  int reads = 0;
  FileHold counted = folder->HoldFile(u"a.msi");
  counted.file = std::make_unique<CountedFile>(std::move(counted.file), reads);
  EXPECT_EQ(VerifyPayload(std::nullopt, std::move(counted), *folder, u"a.msi"),
            PayloadVerdict::NoDigest);
  EXPECT_EQ(reads, 0);  // no digest given: the file is not even read
  EXPECT_EQ(Verify(std::u16string(kAbc), u"a.msi"), PayloadVerdict::Matched);
  EXPECT_EQ(Verify(std::u16string(kAbc), u"b.msi"), PayloadVerdict::Mismatched);
  EXPECT_EQ(Verify(std::u16string(kAbc), u"gone.msi"), PayloadVerdict::Unreadable);
  // A malformed digest is never compared, and its file is removed too.
  EXPECT_EQ(Verify(u"zz", u"c.msi"), PayloadVerdict::MalformedDigest);
  EXPECT_TRUE(Exists("a.msi"));
  EXPECT_FALSE(Exists("b.msi"));
  EXPECT_FALSE(Exists("c.msi"));
}

TEST_F(Payloads, TheFileCheckedStaysHeldUntilItHasBeenUsed) {
  Put("a.msi", "abc");
  Put("b.exe", "abd");
  Put("c.mst", "x");
  HeldPayloads held;
  EXPECT_EQ(Verify(std::u16string(kAbc), u"a.msi", &held), PayloadVerdict::Matched);
  EXPECT_EQ(Verify(std::nullopt, u"c.mst", &held), PayloadVerdict::NoDigest);
  EXPECT_EQ(Verify(std::u16string(kAbc), u"b.exe", &held), PayloadVerdict::Mismatched);
  // Accepted files are held, digest or not, through the very hold checked.
  ASSERT_EQ(held.size(), 2u);
  EXPECT_EQ(held[0]->Size(), 3u);
  EXPECT_EQ(held[1]->Size(), 1u);
  EXPECT_FALSE(Exists("b.exe"));
}

TEST_F(Payloads, LinksAndFilesThatCannotBeHeldAreNeverUsed) {
  std::ofstream(root / "elsewhere" / "Vimzee.msi", std::ios::binary) << "abc";
  fs::create_symlink(root / "elsewhere" / "Vimzee.msi", root / "w" / "a.msi");
  HeldPayloads held;
  // A link is refused whether or not a digest was given, even a matching one.
  EXPECT_EQ(Verify(std::u16string(kAbc), u"a.msi", &held), PayloadVerdict::Link);
  EXPECT_EQ(Verify(std::nullopt, u"gone.exe", &held), PayloadVerdict::NotHeld);
  EXPECT_FALSE(IsAccepted(PayloadVerdict::Link));
  EXPECT_FALSE(IsAccepted(PayloadVerdict::NotHeld));
  EXPECT_TRUE(held.empty());
  // The link is removed, never what it points at.
  EXPECT_FALSE(Exists("a.msi"));
  EXPECT_TRUE(fs::exists(root / "elsewhere" / "Vimzee.msi"));
}

TEST_F(Payloads, TheRemovedFileIsNamedInADiagnosticLine) {
  const fs::path log = root / "diagnostics.log";
  SetDiagnosticFile(Utf16FromUtf8(log.string()));
  Put("Vimzee.msi", "abd");
  Verify(std::u16string(kAbc), u"Vimzee.msi");
  Put("lp.exe", "x");
  Verify(u"12", u"lp.exe");
  Verify(std::u16string(kAbc), u"Vimzee.msi");  // gone now
  fs::create_symlink(root / "elsewhere", root / "w" / "vc.exe");
  Verify(std::nullopt, u"vc.exe");
  SetDiagnosticFile(u"");
  std::ifstream in(log, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  const std::string folderPath = Utf8FromUtf16(folder->Path());
  EXPECT_EQ(text,
            "KORVO_DEBUG: Payload integrity check failed for " + folderPath +
                "Vimzee.msi: expected "
                "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad, found "
                "a52d159f262b2c6ddb724a61840befc36eb30c88877a4030b65cbe86298449c9; the file was "
                "deleted.\r\n"
                "KORVO_DEBUG: Payload integrity check failed for " +
                folderPath +
                "lp.exe: expected 12, which is no SHA-256 digest; the file was deleted.\r\n"
                "KORVO_DEBUG: Payload integrity check failed for " +
                folderPath +
                "Vimzee.msi: expected "
                "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad, found "
                "<unreadable>; the file was deleted.\r\n"
                "KORVO_DEBUG: Payload integrity check failed for " +
                folderPath +
                "vc.exe: expected no digest, found a link, which is never followed; the file was "
                "deleted.\r\n");
}

TEST_F(Payloads, DigestsAcrossReadChunks) {
  std::string bytes(200000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
  Put("big.bin", bytes);
  FileHold hold = folder->HoldFile(u"big.bin");
  ASSERT_TRUE(hold.file);
  EXPECT_EQ(hold.file->Size(), 200000u);
  EXPECT_EQ(Sha256OfFile(*hold.file), ParseSha256Hex(test::Sha256HexOf(bytes)));
  EXPECT_EQ(Sha256OfFile(*hold.file),
            ParseSha256Hex(test::Sha256HexOf(bytes)));  // from the start again
  EXPECT_EQ(VerifyPayload(test::Sha256HexOf(bytes), std::move(hold), *folder, u"big.bin"),
            PayloadVerdict::Matched);
  EXPECT_TRUE(Exists("big.bin"));
}

}  // namespace
}  // namespace vwi
