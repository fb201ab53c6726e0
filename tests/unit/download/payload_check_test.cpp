#include "download/payload_check.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/diagnostics.h"
#include "platform/text.h"

namespace vwi {
namespace {

std::u16string HexOf(const std::string& bytes) {
  const std::optional<Sha256Digest> digest =
      Sha256OfBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return digest ? Sha256Hex(*digest) : u"<failed>";
}

TEST(Sha256, KnownVectors) {
  EXPECT_EQ(HexOf(""), u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(HexOf("abc"), u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(HexOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            u"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(HexOf("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
                  "klmnopqrlmnopqrsmnopqrstnopqrstu"),
            u"cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
  EXPECT_EQ(HexOf(std::string(1000000, 'a')),
            u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  // Padding edges: 55, 56 and 64 bytes.
  EXPECT_EQ(HexOf(std::string(55, 'a')),
            u"9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
  EXPECT_EQ(HexOf(std::string(56, 'a')),
            u"b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
  EXPECT_EQ(HexOf(std::string(64, 'a')),
            u"ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

constexpr char16_t kAbc[] = u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

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

// Files held in memory: what was hashed, what is held, what was removed.
struct MemoryFiles : IPayloadFiles {
  std::map<std::u16string, std::string> files;
  std::set<std::u16string> links;
  std::vector<std::u16string> hashed, removed;
  std::multiset<std::u16string> heldNow;
  std::vector<std::u16string> removedWhileHeld;

  struct MemoryHeld : IHeldPayload {
    MemoryFiles& owner;
    std::u16string path;
    MemoryHeld(MemoryFiles& o, std::u16string p) : owner(o), path(std::move(p)) {
      owner.heldNow.insert(path);
    }
    ~MemoryHeld() override { owner.heldNow.erase(owner.heldNow.find(path)); }
    std::optional<Sha256Digest> Sha256() override {
      owner.hashed.push_back(path);
      const std::string& bytes = owner.files.at(path);
      return Sha256OfBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
  };

  PayloadHold Hold(const std::u16string& path) override {
    if (links.count(path)) return {nullptr, HoldRefusal::Link};
    if (!files.count(path)) {
      hashed.push_back(path);  // what a digest check would have tried to read
      return {nullptr, HoldRefusal::Missing};
    }
    return {std::make_unique<MemoryHeld>(*this, path), HoldRefusal::None};
  }
  bool IsLink(const std::u16string& path) override { return links.count(path) > 0; }
  std::optional<uint64_t> FileSize(const std::u16string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.size();
  }
  bool RemoveFile(const std::u16string& path) override {
    if (heldNow.count(path)) removedWhileHeld.push_back(path);
    removed.push_back(path);
    files.erase(path);
    links.erase(path);
    return true;
  }
};

TEST(VerifyPayload, RemovesEveryFileItDoesNotAccept) {
  MemoryFiles files;
  files.files = {{u"C:\\a.msi", "abc"}, {u"C:\\b.msi", "abd"}, {u"C:\\c.msi", "abc"}};
  EXPECT_EQ(VerifyPayload(std::nullopt, u"C:\\a.msi", files), PayloadVerdict::NoDigest);
  EXPECT_TRUE(files.hashed.empty());  // no digest given: the file is not even read
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\a.msi", files), PayloadVerdict::Matched);
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\b.msi", files), PayloadVerdict::Mismatched);
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\gone.msi", files),
            PayloadVerdict::Unreadable);
  // A malformed digest is never compared, and its file is removed too.
  EXPECT_EQ(VerifyPayload(u"zz", u"C:\\c.msi", files), PayloadVerdict::MalformedDigest);
  EXPECT_EQ(files.hashed,
            (std::vector<std::u16string>{u"C:\\a.msi", u"C:\\b.msi", u"C:\\gone.msi"}));
  EXPECT_EQ(files.removed,
            (std::vector<std::u16string>{u"C:\\b.msi", u"C:\\gone.msi", u"C:\\c.msi"}));
  EXPECT_EQ(files.files.size(), 1u);
}

TEST(VerifyPayload, TheFileCheckedStaysHeldUntilItHasBeenUsed) {
  MemoryFiles files;
  files.files = {{u"C:\\w\\a.msi", "abc"}, {u"C:\\w\\b.exe", "abd"}, {u"C:\\w\\c.mst", "x"}};
  HeldPayloads held;
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\w\\a.msi", files, &held),
            PayloadVerdict::Matched);
  EXPECT_EQ(VerifyPayload(std::nullopt, u"C:\\w\\c.mst", files, &held), PayloadVerdict::NoDigest);
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\w\\b.exe", files, &held),
            PayloadVerdict::Mismatched);
  // Accepted files are held (digest or not); a refused one is let go before
  // it is removed, or the removal would fail on Windows.
  EXPECT_EQ(held.size(), 2u);
  EXPECT_EQ(files.heldNow, (std::multiset<std::u16string>{u"C:\\w\\a.msi", u"C:\\w\\c.mst"}));
  EXPECT_TRUE(files.removedWhileHeld.empty());
  EXPECT_EQ(files.removed, std::vector<std::u16string>{u"C:\\w\\b.exe"});
  held.clear();
  EXPECT_TRUE(files.heldNow.empty());
  // Without a place to keep it, the hold ends with the check.
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\w\\a.msi", files), PayloadVerdict::Matched);
  EXPECT_TRUE(files.heldNow.empty());
}

TEST(VerifyPayload, LinksAndFilesThatCannotBeHeldAreNeverUsed) {
  MemoryFiles files;
  files.files = {{u"C:\\w\\a.msi", "abc"}};
  files.links = {u"C:\\w\\a.msi", u"C:\\w\\l.exe"};
  HeldPayloads held;
  // A link is refused whether or not a digest was given, even a matching one.
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), u"C:\\w\\a.msi", files, &held),
            PayloadVerdict::Link);
  EXPECT_EQ(VerifyPayload(std::nullopt, u"C:\\w\\l.exe", files, &held), PayloadVerdict::Link);
  EXPECT_EQ(VerifyPayload(std::nullopt, u"C:\\w\\gone.exe", files, &held), PayloadVerdict::NotHeld);
  EXPECT_FALSE(IsAccepted(PayloadVerdict::Link));
  EXPECT_FALSE(IsAccepted(PayloadVerdict::NotHeld));
  EXPECT_TRUE(held.empty());
  EXPECT_TRUE(files.hashed == std::vector<std::u16string>{u"C:\\w\\gone.exe"});
  EXPECT_EQ(files.removed,
            (std::vector<std::u16string>{u"C:\\w\\a.msi", u"C:\\w\\l.exe", u"C:\\w\\gone.exe"}));
}

TEST(VerifyPayload, NamesTheRemovedFileInADiagnosticLine) {
  namespace fs = std::filesystem;
  const fs::path log = fs::temp_directory_path() / ("vwi-diag-" + std::to_string(getpid()));
  fs::remove(log);
  SetDiagnosticFile(Utf16FromUtf8(log.string()));
  MemoryFiles files;
  files.files = {{u"C:\\w\\msi\\Vimzee.msi", "abd"}};
  VerifyPayload(std::u16string(kAbc), u"C:\\w\\msi\\Vimzee.msi", files);
  VerifyPayload(u"12", u"C:\\w\\lp.exe", files);
  VerifyPayload(std::u16string(kAbc), u"C:\\w\\msi\\Vimzee.msi", files);  // gone now
  files.links = {u"C:\\w\\vc.exe"};
  VerifyPayload(std::nullopt, u"C:\\w\\vc.exe", files);
  SetDiagnosticFile(u"");
  std::ifstream in(log, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  fs::remove(log);
  EXPECT_EQ(text,
            "KORVO_DEBUG: Payload integrity check failed for C:\\w\\msi\\Vimzee.msi: expected "
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad, found "
            "a52d159f262b2c6ddb724a61840befc36eb30c88877a4030b65cbe86298449c9; the file was "
            "deleted.\r\n"
            "KORVO_DEBUG: Payload integrity check failed for C:\\w\\lp.exe: expected 12, which "
            "is no SHA-256 digest; the file was deleted.\r\n"
            "KORVO_DEBUG: Payload integrity check failed for C:\\w\\msi\\Vimzee.msi: expected "
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad, found "
            "<unreadable>; the file was deleted.\r\n"
            "KORVO_DEBUG: Payload integrity check failed for C:\\w\\vc.exe: expected no digest, "
            "found a link, which is never followed; the file was deleted.\r\n");
}

TEST(VerifyPayload, NativeFilesAcrossReadChunks) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vwi-payload-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "big.bin";
  std::string bytes(200000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
  std::ofstream(file, std::ios::binary) << bytes;
  const std::u16string path = Utf16FromUtf8(file.string());
  IPayloadFiles& system = SystemPayloadFiles();
  EXPECT_EQ(system.FileSize(path), 200000u);
  EXPECT_EQ(VerifyPayload(HexOf(bytes), path, system), PayloadVerdict::Matched);
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), path, system), PayloadVerdict::Mismatched);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(system.FileSize(path), std::nullopt);
  fs::remove_all(dir);
}

TEST(VerifyPayload, NativeLinksToAFileOrAFolderAreRefused) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("vwi-payload-links-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "elsewhere");
  fs::create_directories(dir / "msi");
  std::ofstream(dir / "elsewhere" / "Vimzee.msi", std::ios::binary) << "abc";
  fs::create_symlink(dir / "elsewhere" / "Vimzee.msi", dir / "msi" / "linked.msi");
  fs::create_directory_symlink(dir / "elsewhere", dir / "transform");
  IPayloadFiles& system = SystemPayloadFiles();
  const auto path = [&](const fs::path& p) { return Utf16FromUtf8(p.string()); };

  EXPECT_TRUE(system.IsLink(path(dir / "transform")));
  EXPECT_TRUE(system.IsLink(path(dir / "transform") + u"/"));
  EXPECT_FALSE(system.IsLink(path(dir / "msi")));
  EXPECT_EQ(system.Hold(path(dir / "msi" / "linked.msi")).refusal, HoldRefusal::Link);
  EXPECT_EQ(system.Hold(path(dir / "transform" / "Vimzee.msi")).refusal, HoldRefusal::Link);
  EXPECT_EQ(system.Hold(path(dir / "elsewhere" / "Vimzee.msi")).refusal, HoldRefusal::None);

  EXPECT_EQ(VerifyPayload(std::u16string(kAbc), path(dir / "msi" / "linked.msi"), system),
            PayloadVerdict::Link);
  // The link is removed, never what it points at.
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "msi" / "linked.msi")));
  EXPECT_TRUE(fs::exists(dir / "elsewhere" / "Vimzee.msi"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vwi
