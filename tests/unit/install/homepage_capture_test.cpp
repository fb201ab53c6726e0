#include "install/homepage_capture.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(HomepageCapture, TakesTheAddressFromThePropertyDump) {
  std::u16string url;
  EXPECT_TRUE(CaptureHomepage(
      url, u"Property(S): InstallHomepageURL = https://www.vimzee.example/home?from=setup \r\n"));
  EXPECT_EQ(url, u"https://www.vimzee.example/home?from=setup");
}

TEST(HomepageCapture, LettersMatchWithoutRegardToCase) {
  std::u16string url;
  EXPECT_TRUE(CaptureHomepage(url, u"property(s): installhomepageurl =x"));
  EXPECT_EQ(url, u"x");
  std::u16string other;
  EXPECT_TRUE(CaptureHomepage(other, u"PROPERTY(S):\t  INSTALLHOMEPAGEURL =\thttp://a/"));
  EXPECT_EQ(other, u"http://a/");
}

TEST(HomepageCapture, TheFirstReportIsKept) {
  std::u16string url;
  CaptureHomepage(url, u"Property(S): InstallHomepageURL = http://first/");
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S): InstallHomepageURL = http://second/"));
  EXPECT_EQ(url, u"http://first/");
}

TEST(HomepageCapture, OtherTextsLeaveItEmpty) {
  std::u16string url;
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S): ProductName = Vimzee Home"));
  EXPECT_FALSE(CaptureHomepage(url, u"Property(C): InstallHomepageURL = http://client/"));
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S):"));
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S"));
  EXPECT_FALSE(CaptureHomepage(url, u""));
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S): InstallHomepageURL=http://nospace/"));
  EXPECT_FALSE(CaptureHomepage(url, u"Action start 12:00:00: InstallFinalize."));
  // An empty address sets nothing, so a later report still counts.
  EXPECT_FALSE(CaptureHomepage(url, u"Property(S): InstallHomepageURL =   "));
  EXPECT_EQ(url, u"");
  EXPECT_TRUE(CaptureHomepage(url, u"Property(S): InstallHomepageURL = http://late/"));
}

}  // namespace
}  // namespace vwi
