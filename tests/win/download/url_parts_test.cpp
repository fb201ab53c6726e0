#include "download/win/url_parts.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(UrlSplit, PathAndQueryAreKeptApartAndUndecoded) {
  std::optional<UrlParts> p = SplitUrl(u"https://user:pw@dl.example.com:8443/a%20b/c.msi?x=1&y=2");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->scheme, INTERNET_SCHEME_HTTPS);
  EXPECT_EQ(p->host, L"dl.example.com");
  EXPECT_EQ(p->port, 8443);
  EXPECT_EQ(p->user, L"user");
  EXPECT_EQ(p->password, L"pw");
  EXPECT_EQ(p->path, L"/a%20b/c.msi");
  EXPECT_EQ(p->extra, L"?x=1&y=2");
  EXPECT_FALSE(SplitUrl(u"no scheme"));
  EXPECT_FALSE(SplitUrl(u"http://h/" + std::u16string(4100, u'p')));
}

}  // namespace
}  // namespace vwi
