// The newer installers of the signing fixtures (fixtures/signing), each
// judged by the program's own check under Wine, with the test publisher's
// root trusted in the prefix. Wine's WinVerifyTrust alone would pass several
// of them; the check builds their chains itself.
#include "validation/publisher_rule.h"

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"

namespace vwi {
namespace {

const std::wstring kFixtures = VWI_SIGNING_FIXTURES;

std::vector<uint8_t> Bytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The test publisher's root, trusted by the machine as a real root would be.
void TrustTestRoot() {
  const std::vector<uint8_t> der = Bytes(kFixtures + L"\\pki\\publisher-root.der");
  ASSERT_FALSE(der.empty());
  HCERTSTORE store =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  ASSERT_TRUE(store);
  EXPECT_TRUE(CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(),
                                               static_cast<DWORD>(der.size()),
                                               CERT_STORE_ADD_REPLACE_EXISTING, nullptr));
  CertCloseStore(store, 0);
}

SignatureFacts Facts(const std::u16string& name) {
  std::unique_ptr<IHeldFolder> folder = OpenHeldFolder(FromWide(kFixtures), false).folder;
  EXPECT_TRUE(folder);
  FileHold hold = folder->HoldFile(name);
  EXPECT_TRUE(hold.file) << Utf8FromUtf16(name);
  if (!hold.file) return {};
  return SystemSignatures().Read(*hold.file, folder->Path() + name);
}

std::vector<Sha256Digest> RenewedKey() {
  std::ifstream in(std::filesystem::path(kFixtures + L"\\renewed.key"));
  std::string hex;
  in >> hex;
  const std::optional<Sha256Digest> key = ParseSha256Hex(Utf16FromUtf8(hex));
  EXPECT_TRUE(key);
  return key ? std::vector<Sha256Digest>{*key} : std::vector<Sha256Digest>{};
}

TEST(Signatures, EveryNewerInstallerIsJudgedByTheProgramsOwnCheck) {
  TrustTestRoot();
  // The fixture signed by the test publisher stands for the running installer.
  const SignatureFacts own = Facts(u"reference.exe");
  ASSERT_TRUE(own.present);
  ASSERT_TRUE(own.intact);
  ASSERT_TRUE(own.signerKey);
  EXPECT_EQ(own.chainErrors, 0u);
  const std::vector<Sha256Digest> renewed = RenewedKey();
  struct Case {
    const char16_t* file;
    UpdaterTrust withoutRenewal;
    UpdaterTrust withRenewal;
  };
  const Case cases[] = {
      {u"same-publisher.exe", UpdaterTrust::Trusted, UpdaterTrust::Trusted},
      {u"unsigned.exe", UpdaterTrust::NotSigned, UpdaterTrust::NotSigned},
      {u"tampered.exe", UpdaterTrust::SignatureBroken, UpdaterTrust::SignatureBroken},
      {u"other-publisher.exe", UpdaterTrust::OtherPublisher, UpdaterTrust::OtherPublisher},
      // The same name from another root is another publisher: its key differs.
      {u"same-subject-other-root.exe", UpdaterTrust::OtherPublisher, UpdaterTrust::OtherPublisher},
      {u"expired.exe", UpdaterTrust::ChainRefused, UpdaterTrust::ChainRefused},
      {u"not-for-code-signing.exe", UpdaterTrust::ChainRefused, UpdaterTrust::ChainRefused},
      {u"renewed.exe", UpdaterTrust::OtherPublisher, UpdaterTrust::Trusted},
  };
  for (const Case& c : cases) {
    const SignatureFacts facts = Facts(c.file);
    EXPECT_EQ(JudgeUpdater(own, facts, PayloadVerdict::NoDigest, {}), c.withoutRenewal)
        << Utf8FromUtf16(c.file) << ": platform verdict " << std::hex << facts.verifyResult
        << ", chain " << facts.chainErrors;
    EXPECT_EQ(JudgeUpdater(own, facts, PayloadVerdict::NoDigest, renewed), c.withRenewal)
        << Utf8FromUtf16(c.file);
  }
}

TEST(Signatures, TheChainsOwnErrorsNameTheCause) {
  TrustTestRoot();
  EXPECT_TRUE(Facts(u"expired.exe").chainErrors & CERT_TRUST_IS_NOT_TIME_VALID);
  EXPECT_TRUE(Facts(u"not-for-code-signing.exe").chainErrors & CERT_TRUST_IS_NOT_VALID_FOR_USAGE);
  // Another root, not trusted here (and not carried in the signature).
  EXPECT_TRUE(Facts(u"other-publisher.exe").chainErrors &
              (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN));
  EXPECT_FALSE(Facts(u"unsigned.exe").present);
  EXPECT_FALSE(Facts(u"tampered.exe").intact);
  EXPECT_FALSE(Facts(u"expired.exe").timestamped);  // Wine reads no timestamp
  // The same key in both: the renewal changes the key, an expiry does not.
  EXPECT_EQ(Facts(u"expired.exe").signerKey, Facts(u"reference.exe").signerKey);
  EXPECT_NE(Facts(u"renewed.exe").signerKey, Facts(u"reference.exe").signerKey);
}

TEST(Signatures, ATestProgramIsNotSignedAndAnUnsignedRunRequiresADigest) {
  const SignatureFacts own = SystemSignatures().OwnSignature();
  EXPECT_FALSE(own.present);
  EXPECT_EQ(JudgeUpdater(own, Facts(u"same-publisher.exe"), PayloadVerdict::NoDigest, {}),
            UpdaterTrust::NoProof);
  EXPECT_EQ(JudgeUpdater(own, Facts(u"unsigned.exe"), PayloadVerdict::Matched, {}),
            UpdaterTrust::Trusted);
}

}  // namespace
}  // namespace vwi
