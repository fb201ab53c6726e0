#include "download/proxy_login.h"

#include <gtest/gtest.h>

#include <vector>

namespace vwi {
namespace {

// A person who gives the listed answers in turn (nothing: Cancel).
struct ScriptedPrompt : IProxyPrompt {
  std::vector<std::optional<ProxyCredentials>> answers;
  std::vector<bool> refusedBefore;  // what each question was told
  std::optional<ProxyCredentials> Ask(const std::u16string& proxy, bool refused) override {
    EXPECT_EQ(proxy, u"proxy.corp:8080");
    refusedBefore.push_back(refused);
    if (refusedBefore.size() > answers.size()) return std::nullopt;
    return answers[refusedBefore.size() - 1];
  }
};

const ProxyCredentials kWrong{u"anna", u"wrong"};
const ProxyCredentials kRight{u"anna", u"s3cret"};

TEST(ProxyLogin, TheAnswerIsKeptForEveryLaterRequestAndAWrongOneAsksAgain) {
  ScriptedPrompt prompt;
  prompt.answers = {kWrong, kRight};
  ProxyLogin login(prompt, [] { FAIL() << "nobody cancelled"; });
  EXPECT_FALSE(login.Known());
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", std::nullopt), kWrong);
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", kWrong), kRight);
  login.Accepted();
  EXPECT_EQ(login.Known(), kRight);
  EXPECT_EQ(prompt.refusedBefore, (std::vector<bool>{false, true}));
  // A request that was sent before the answer was known uses it, unasked.
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", std::nullopt), kRight);
  EXPECT_EQ(prompt.refusedBefore.size(), 2u);
}

TEST(ProxyLogin, ThreeRefusedAnswersInARowEndTheAsking) {
  ScriptedPrompt prompt;
  prompt.answers = {kWrong, kWrong, kWrong, kRight};
  ProxyLogin login(prompt, [] { FAIL() << "nobody cancelled"; });
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", std::nullopt), kWrong);
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", kWrong), kWrong);
  EXPECT_EQ(login.AfterRefusal(u"proxy.corp:8080", kWrong), kWrong);
  EXPECT_FALSE(login.AfterRefusal(u"proxy.corp:8080", kWrong));
  EXPECT_EQ(prompt.refusedBefore.size(), 3u);
}

TEST(ProxyLogin, CancelCancelsTheRunAndIsNeverAskedAgain) {
  ScriptedPrompt prompt;
  int cancels = 0;
  ProxyLogin login(prompt, [&] { ++cancels; });
  EXPECT_FALSE(login.AfterRefusal(u"proxy.corp:8080", std::nullopt));
  EXPECT_FALSE(login.AfterRefusal(u"proxy.corp:8080", std::nullopt));
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(prompt.refusedBefore.size(), 1u);
  EXPECT_FALSE(login.Known());
}

}  // namespace
}  // namespace vwi
