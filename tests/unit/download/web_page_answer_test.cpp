#include "download/web_page_answer.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(WebPageAnswer, APageIsToldByItsTypeWithAnyCaseAndParameters) {
  for (const std::u16string_view type : {u"text/html", u"TEXT/HTML", u"text/html; charset=utf-8",
                                         u" text/html", u"application/xhtml+xml;charset=UTF-8"}) {
    EXPECT_TRUE(IsWebPageType(type)) << std::string(type.begin(), type.end());
  }
  for (const std::u16string_view type :
       {u"", u"application/octet-stream", u"application/x-msi", u"text/xml", u"text/htmlx",
        u"text/plain", u"application/x-msdownload"}) {
    EXPECT_FALSE(IsWebPageType(type)) << std::string(type.begin(), type.end());
  }
}

TEST(WebPageAnswer, APageIsToldByHowItBeginsAndAPackageNever) {
  for (const std::string_view page :
       {"<!DOCTYPE html><html><body>Sign in</body></html>", "\xEF\xBB\xBF<!doctype HTML>",
        "\r\n  <html lang=\"en\">", "<HEAD><title>Portal</title>", "<body>", "<title>Wi-Fi</title>",
        "<meta http-equiv=\"refresh\" content=\"0;url=/login\">",
        "<script>location='/login'</script>", "<html>"}) {
    EXPECT_TRUE(LooksLikeWebPage(page)) << page;
  }
  const std::string msi("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0<html>", 14);
  for (const std::string_view file :
       {std::string_view(msi), std::string_view("MZ\x90\0<html>", 9),
        std::string_view("<?xml version=\"1.0\"?><version_info/>"),
        std::string_view("<!DOCTYPE svg>"), std::string_view("<htmlish>"), std::string_view(""),
        std::string_view("   "), std::string_view("text before <html>")}) {
    EXPECT_FALSE(LooksLikeWebPage(file)) << file;
  }
}

}  // namespace
}  // namespace vwi
