#include "install/installer_progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace vwi {
namespace {

// Feeds texts in order and collects what would be reported.
std::vector<int32_t> Feed(PackageProgress& progress, std::vector<std::u16string_view> texts) {
  std::vector<int32_t> reports;
  for (auto text : texts) {
    const auto message = ParseProgressMessage(text);
    if (!message) continue;
    if (auto percent = progress.Apply(*message)) reports.push_back(*percent);
  }
  return reports;
}

TEST(ProgressMessage, ReadsFieldsUpToTheLastOneItsTypeUses) {
  auto reset = ParseProgressMessage(u"1: 0 2: 24006 3: 0 4: 1");
  ASSERT_TRUE(reset);
  EXPECT_EQ(reset->type, 0);
  EXPECT_EQ(reset->field2, 24006);
  EXPECT_EQ(reset->field4, 1);

  // Type 2 stops after field 2: a field 3 is not read.
  auto report = ParseProgressMessage(u"1: 2 2: 250 3: 9");
  ASSERT_TRUE(report);
  EXPECT_EQ(report->field2, 250);
  EXPECT_EQ(report->field3, 0);

  // Type 1 stops after field 3; a bad field after it is never looked at.
  auto action = ParseProgressMessage(u"1: 1 2: 5 3: 1 9: x");
  ASSERT_TRUE(action);
  EXPECT_EQ(action->field3, 1);
}

TEST(ProgressMessage, MalformedTextsAreIgnored) {
  EXPECT_FALSE(ParseProgressMessage(u""));
  EXPECT_FALSE(ParseProgressMessage(u"   "));
  EXPECT_FALSE(ParseProgressMessage(u"1: 12 2: 100"));  // type not a single digit
  EXPECT_FALSE(ParseProgressMessage(u"1: x 2: 100"));
  EXPECT_FALSE(ParseProgressMessage(u"1:"));
  EXPECT_FALSE(ParseProgressMessage(u"2: 100"));      // no type
  EXPECT_FALSE(ParseProgressMessage(u"5: 3 1: 2"));   // field 5
  EXPECT_FALSE(ParseProgressMessage(u"1: 0 0: 3"));   // field 0
  EXPECT_FALSE(ParseProgressMessage(u"1:0 2: 100"));  // the label needs its space
  EXPECT_FALSE(ParseProgressMessage(u"garbage"));
}

TEST(ProgressMessage, NumbersAreReadLeniently) {
  auto m = ParseProgressMessage(u"1: 2 2: -40");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->field2, -40);
  m = ParseProgressMessage(u"1: 2 2: 12abc");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->field2, 12);
  m = ParseProgressMessage(u"1: 2 2: 99999999999");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->field2, 2147483647);
  m = ParseProgressMessage(u"1: 2");  // the value is missing: 0
  ASSERT_TRUE(m);
  EXPECT_EQ(m->field2, 0);
}

TEST(PackageProgress, ResetPhasesFillOnlyWhatIsLeft) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 1000 3: 0", u"1: 2 2: 250"}), std::vector<int32_t>{25});
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 200 3: 0", u"1: 2 2: 100"}), std::vector<int32_t>{62});
  EXPECT_EQ(progress.basePercent, 25);
}

TEST(PackageProgress, BackwardPhaseCountsDownFromTheTotal) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 400 3: 1"}), std::vector<int32_t>{});
  EXPECT_EQ(progress.position, 400);
  EXPECT_EQ(Feed(progress, {u"1: 2 2: 100"}), std::vector<int32_t>{75});
  EXPECT_EQ(progress.position, 300);
}

TEST(PackageProgress, NeverMovesBackWithinAPackage) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 100 3: 0", u"1: 2 2: 60", u"1: 2 2: -50"}),
            (std::vector<int32_t>{60, 60}));
  EXPECT_EQ(progress.maxPercent, 60);
}

TEST(PackageProgress, ActionInformationAdvancesOnlyWhenAskedTo) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 100 3: 0", u"1: 1 2: 10 3: 0", u"1: 1 2: 10 3: 1"}),
            std::vector<int32_t>{10});
  EXPECT_EQ(Feed(progress, {u"1: 3 2: 500"}), std::vector<int32_t>{});  // add to total: nothing
  EXPECT_EQ(progress.totalTicks, 100);
}

TEST(PackageProgress, NoReportBeforeAPhaseIsAnnounced) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 2 2: 250"}), std::vector<int32_t>{});
  EXPECT_EQ(progress.position, 250);
}

TEST(PackageProgress, OverrunningTheTotalStopsAtOneHundred) {
  PackageProgress progress;
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 100 3: 0", u"1: 2 2: 90", u"1: 2 2: 90"}),
            (std::vector<int32_t>{90, 100}));
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 10 3: 0", u"1: 2 2: 5"}), std::vector<int32_t>{100});
}

TEST(PackageProgress, HugeTickCountsDoNotOverflow) {
  PackageProgress progress;
  EXPECT_EQ(
      Feed(progress, {u"1: 0 2: 2147483647 3: 0", u"1: 2 2: 2147483647", u"1: 2 2: 2147483647"}),
      (std::vector<int32_t>{100, 100}));
  EXPECT_EQ(progress.position, 2147483647);
}

TEST(PackageProgress, ResetStartsTheNextPackageFromZero) {
  PackageProgress progress;
  Feed(progress, {u"1: 0 2: 100 3: 0", u"1: 2 2: 80"});
  progress.Reset();
  EXPECT_EQ(progress.maxPercent, 0);
  EXPECT_EQ(progress.totalTicks, 0);
  EXPECT_TRUE(progress.forward);
  EXPECT_EQ(Feed(progress, {u"1: 0 2: 100 3: 0", u"1: 2 2: 10"}), std::vector<int32_t>{10});
}

}  // namespace
}  // namespace vwi
