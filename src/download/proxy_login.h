// The run's sign-in to a proxy that asks for a user name and password (407).
// The person at the wizard is asked; what they give is kept in memory for the
// run only (never logged or written) and sent with every later request. A
// wrong answer asks again, three times at most in a row; Cancel ends the run
// as cancelled. A silent run has nobody to ask, so it has no login at all.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace vwi {

struct ProxyCredentials {
  std::u16string user;
  std::u16string password;
  bool operator==(const ProxyCredentials&) const = default;
};

// Asks the person for the credentials of `proxy`; `refusedBefore` when the
// proxy has refused the last ones given. Nothing when they cancelled.
class IProxyPrompt {
 public:
  virtual ~IProxyPrompt() = default;
  virtual std::optional<ProxyCredentials> Ask(const std::u16string& proxy, bool refusedBefore) = 0;
};

inline constexpr int kProxyAsksInARow = 3;

class ProxyLogin {
 public:
  // `onCancel` cancels the run when the person cancels the question.
  ProxyLogin(IProxyPrompt& prompt, std::function<void()> onCancel);

  // The credentials known so far, to send with a new request.
  std::optional<ProxyCredentials> Known() const;

  // After the proxy answered 407 to a request sent with `sent` (or none):
  // the credentials to send it again with. Credentials another request learnt
  // meanwhile are used first; else the person is asked. Nothing when they
  // cancelled, or after three refused answers in a row.
  std::optional<ProxyCredentials> AfterRefusal(const std::u16string& proxy,
                                               const std::optional<ProxyCredentials>& sent);

  // The proxy took the credentials: a later refusal starts a new count.
  void Accepted();

  // The person cancelled the question: the transfer ends as cancelled.
  bool Cancelled() const;

 private:
  IProxyPrompt& prompt_;
  std::function<void()> onCancel_;
  mutable std::mutex mutex_;  // transfers of several threads share the login
  std::optional<ProxyCredentials> known_;
  int refusedInARow_ = 0;
  bool cancelled_ = false;
};

}  // namespace vwi
