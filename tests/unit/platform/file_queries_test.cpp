#include "platform/file_queries.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(Wildcard, MatchesWithoutRegardToCase) {
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u"a.JPG"));
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u".jpg"));
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u"a.b.jpg"));
  EXPECT_FALSE(WildcardMatch(u"*.jpg", u"a.jpeg"));
  EXPECT_FALSE(WildcardMatch(u"*.jpg", u"a.jpg.txt"));
  EXPECT_TRUE(WildcardMatch(u"s?ide*", u"slide1.jpg"));
  EXPECT_TRUE(WildcardMatch(u"*a*a*a*b", std::u16string(5000, u'a') + u"b"));
}

}  // namespace
}  // namespace vwi
