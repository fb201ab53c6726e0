#include "download/transfer_result.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(TransferResult, TheNetworkStacksCodesAreToldApartByKind) {
  const std::pair<uint32_t, TransferFailure> codes[] = {
      {12029, TransferFailure::NoConnection},
      {12007, TransferFailure::NameNotResolved},
      {12002, TransferFailure::TimedOut},
      {12030, TransferFailure::Dropped},
      {12031, TransferFailure::Dropped},
      {12152, TransferFailure::Dropped},
      {12045, TransferFailure::CertificateRefused},
      {12037, TransferFailure::CertificateRefused},
      {12038, TransferFailure::CertificateRefused},
      {12057, TransferFailure::CertificateRefused},
      {12005, TransferFailure::BadAddress},
      {12006, TransferFailure::BadAddress},
      {112, TransferFailure::DiskFull},
      {12017, TransferFailure::Cancelled},
      {0x20000001, TransferFailure::Stalled},
      {5, TransferFailure::Other}};
  for (const auto& [code, kind] : codes) EXPECT_EQ(FailureOfSystemCode(code), kind) << code;
}

TEST(TransferResult, ARefusalKeepsItsStatusAndTheProxysIsItsOwnKind) {
  const TransferResult busy = RefusedWith(503, 30);
  EXPECT_EQ(busy.failure, TransferFailure::Status);
  EXPECT_EQ(busy.status, 503u);
  EXPECT_EQ(busy.retryAfterSeconds, 30u);
  EXPECT_FALSE(busy.ok());
  EXPECT_EQ(RefusedWith(407).failure, TransferFailure::ProxyAuthentication);
  EXPECT_TRUE(TransferResult{}.ok());
}

TEST(TransferResult, TheLogNamesTheKindWithItsCode) {
  EXPECT_EQ(TransferResultText(RefusedWith(404)), u"status 404");
  EXPECT_EQ(TransferResultText(RefusedWith(407)), u"proxy authentication required (status 407)");
  EXPECT_EQ(TransferResultText({TransferFailure::NameNotResolved, 0, {}, 12007}),
            u"name not resolved (12007)");
  EXPECT_EQ(TransferResultText({TransferFailure::CertificateRefused, 0, {}, 12045}),
            u"certificate refused (12045)");
  // The program's own code for a stall says nothing more than the kind.
  EXPECT_EQ(TransferResultText({TransferFailure::Stalled, 0, {}, 0x20000001}), u"stalled");
  EXPECT_EQ(TransferResultText({TransferFailure::Empty}), u"nothing to download");
  EXPECT_EQ(TransferResultText({static_cast<TransferFailure>(99)}), u"unknown");
}

TEST(TransferResult, ACertificateFailureNamesItsProblemByCode) {
  const std::pair<uint32_t, CertificateProblem> codes[] = {{12037, CertificateProblem::Dates},
                                                           {12045, CertificateProblem::Authority},
                                                           {12038, CertificateProblem::Name},
                                                           {12057, CertificateProblem::Other},
                                                           {12169, CertificateProblem::Other}};
  for (const auto& [code, problem] : codes) {
    TransferResult refused;
    refused.failure = FailureOfSystemCode(code);
    refused.systemCode = code;
    EXPECT_EQ(CertificateProblemOf(refused), problem) << code;
  }
  TransferResult dropped;
  dropped.failure = TransferFailure::Dropped;
  dropped.systemCode = 12037;
  EXPECT_EQ(CertificateProblemOf(dropped), CertificateProblem::None);
}

}  // namespace
}  // namespace vwi
