#include "install/installer_verdict.h"

#include <gtest/gtest.h>

#include <vector>

namespace vwi {
namespace {

using V = InstallerVerdict;

TEST(InstallerVerdict, PackagesAndProgramsReadTheirCodes) {
  struct Case {
    uint32_t code;
    V package;
    V program;
  };
  for (const Case& c : std::vector<Case>{{0, V::Installed, V::Installed},
                                         {3010, V::RestartNeeded, V::RestartNeeded},
                                         {1641, V::RestartNeeded, V::RestartNeeded},
                                         {1618, V::Busy, V::Busy},
                                         // Another version of the main package is a failure;
                                         // a prerequisite's is what it wanted.
                                         {1638, V::Failed, V::Installed},
                                         {1602, V::Failed, V::Failed},
                                         {1603, V::Failed, V::Failed},
                                         {1, V::Failed, V::Failed},
                                         {0xC0000005u, V::Failed, V::Failed}}) {
    EXPECT_EQ(PackageVerdict(c.code), c.package) << c.code;
    EXPECT_EQ(ProgramVerdict(c.code), c.program) << c.code;
  }
  EXPECT_TRUE(IsInstallerSuccess(1641));
  EXPECT_FALSE(IsInstallerSuccess(1618));
}

TEST(InstallerVerdict, BusyWaitsGrowToTheLongestAndStopAtTheLimit) {
  const BusyInstallerPolicy policy;  // 5 s doubling to 60 s, ten minutes in all
  std::vector<uint32_t> waits;
  uint32_t waited = 0;
  for (uint32_t answers = 1;; ++answers) {
    const auto wait = NextBusyWait(policy, answers, waited);
    if (!wait) break;
    waits.push_back(*wait);
    waited += *wait;
  }
  ASSERT_GE(waits.size(), 6u);
  EXPECT_EQ(std::vector<uint32_t>(waits.begin(), waits.begin() + 6),
            (std::vector<uint32_t>{5000, 10000, 20000, 40000, 60000, 60000}));
  EXPECT_EQ(waited, policy.limitMilliseconds);  // the last wait ends at the limit
  EXPECT_EQ(waits.back(), 45000u);              // 600 - (5+10+20+40+8*60) s
  // Past the limit, or at it, there is no wait; a huge count does not overflow.
  EXPECT_FALSE(NextBusyWait(policy, 1, policy.limitMilliseconds + 1));
  EXPECT_EQ(NextBusyWait(policy, 4000000000u, 0), 60000u);
}

}  // namespace
}  // namespace vwi
