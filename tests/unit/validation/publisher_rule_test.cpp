#include "validation/publisher_rule.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

SignatureFacts SignedWith(uint8_t key, uint32_t chainErrors = 0) {
  SignatureFacts facts;
  facts.present = true;
  facts.intact = true;
  facts.signerKey = Sha256Digest{};
  (*facts.signerKey)[0] = key;
  facts.chainErrors = chainErrors;
  return facts;
}

TEST(PublisherRule, ASignedInstallerTakesOnlyItsPublishersOwn) {
  const SignatureFacts own = SignedWith(1);
  const auto judge = [&](const SignatureFacts& updater, std::vector<Sha256Digest> renewed = {}) {
    return JudgeUpdater(own, updater, PayloadVerdict::NoDigest, renewed);
  };
  EXPECT_EQ(judge(SignedWith(1)), UpdaterTrust::Trusted);
  EXPECT_EQ(judge(SignatureFacts{}), UpdaterTrust::NotSigned);
  SignatureFacts changed = SignedWith(1);
  changed.intact = false;
  EXPECT_EQ(judge(changed), UpdaterTrust::SignatureBroken);
  SignatureFacts keyless = SignedWith(1);
  keyless.signerKey.reset();
  EXPECT_EQ(judge(keyless), UpdaterTrust::SignatureBroken);
  EXPECT_EQ(judge(SignedWith(2)), UpdaterTrust::OtherPublisher);
  // A renewed certificate's key, built into the program.
  EXPECT_EQ(judge(SignedWith(2), {*SignedWith(2).signerKey}), UpdaterTrust::Trusted);
  // The right key, but a chain that ends in no trusted root, has expired or
  // is not for code signing.
  for (const uint32_t errors : {0x20u, 0x1u, 0x10u, 0x10000u}) {
    EXPECT_EQ(judge(SignedWith(1, errors)), UpdaterTrust::ChainRefused) << errors;
    EXPECT_EQ(judge(SignedWith(2, errors), {*SignedWith(2).signerKey}), UpdaterTrust::ChainRefused);
  }
  // A digest that matches proves nothing about the publisher.
  EXPECT_EQ(JudgeUpdater(own, SignedWith(2), PayloadVerdict::Matched, {}),
            UpdaterTrust::OtherPublisher);
}

TEST(PublisherRule, AnUnsignedInstallerTakesOnlyWhatMatchesTheDigest) {
  const SignatureFacts own;
  EXPECT_EQ(JudgeUpdater(own, SignatureFacts{}, PayloadVerdict::Matched, {}),
            UpdaterTrust::Trusted);
  EXPECT_EQ(JudgeUpdater(own, SignedWith(1), PayloadVerdict::NoDigest, {}), UpdaterTrust::NoProof);
  // A running installer whose own key cannot be read takes nobody's.
  SignatureFacts keyless = SignedWith(1);
  keyless.signerKey.reset();
  EXPECT_EQ(JudgeUpdater(keyless, SignedWith(1), PayloadVerdict::Matched, {}),
            UpdaterTrust::OtherPublisher);
}

TEST(PublisherRule, EveryVerdictHasAText) {
  EXPECT_EQ(UpdaterTrustText(UpdaterTrust::OtherPublisher), u"it is signed by another publisher");
  EXPECT_EQ(UpdaterTrustText(static_cast<UpdaterTrust>(99)), u"unknown");
  EXPECT_TRUE(RenewedPublisherKeys().empty());  // none built in by default
}

}  // namespace
}  // namespace vwi
