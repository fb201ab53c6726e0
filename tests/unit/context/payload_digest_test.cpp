#include "context/payload_digest.h"
#include "unit/download/sha256_vectors.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

constexpr const char16_t* kAbc = test::kAbcSha256;

TEST(PayloadDigest, ParsesSixtyFourDigitsOfEitherCase) {
  const std::optional<Sha256Digest> lower = ParseSha256Hex(kAbc);
  ASSERT_TRUE(lower);
  EXPECT_EQ((*lower)[0], 0xBA);
  EXPECT_EQ((*lower)[31], 0xAD);
  EXPECT_EQ(Sha256Hex(*lower), kAbc);
  EXPECT_EQ(ParseSha256Hex(u"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"),
            lower);
  EXPECT_EQ(ParseSha256Hex(u"\n\t  " + std::u16string(kAbc) + u" \r\n"), lower);
}

TEST(PayloadDigest, RejectsWrongLengthsAndOtherCharacters) {
  const std::u16string good = kAbc;
  for (const std::u16string& bad :
       {std::u16string(), good.substr(1), good + u"0", good.substr(0, 63) + u"g",
        good.substr(0, 32) + u" " + good.substr(33), u"0x" + good.substr(2),
        good.substr(0, 63) + u"\uFF10", std::u16string(64, u' ')}) {
    EXPECT_EQ(ParseSha256Hex(bad), std::nullopt) << bad.size();
  }
}

TEST(PayloadDigest, ManifestIsUsableOnlyWithWellFormedDigests) {
  ProductManifest m;
  m.transforms = {{1031, u"de.mst", u"t"}};
  m.languagePacks = {{1031, u"271", u"lp", u"l"}};
  m.dependencies = {{u"vc.exe", u"d", u"/q"}};
  EXPECT_TRUE(HasWellFormedDigests(m));  // none given
  m.mainComponentSha256 = kAbc;
  m.transforms[0].sha256 = kAbc;
  m.languagePacks[0].sha256 = kAbc;
  m.dependencies[0].sha256 = kAbc;
  EXPECT_TRUE(HasWellFormedDigests(m));
  for (std::optional<std::u16string>* digest :
       {&m.mainComponentSha256, &m.transforms[0].sha256, &m.languagePacks[0].sha256,
        &m.dependencies[0].sha256}) {
    *digest = u"";
    EXPECT_FALSE(HasWellFormedDigests(m));
    *digest = kAbc;
  }
}

}  // namespace
}  // namespace vwi
