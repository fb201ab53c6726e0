#include "download/proxy_login.h"

#include <utility>

namespace vwi {

ProxyLogin::ProxyLogin(IProxyPrompt& prompt, std::function<void()> onCancel)
    : prompt_(prompt), onCancel_(std::move(onCancel)) {}

std::optional<ProxyCredentials> ProxyLogin::Known() const {
  std::lock_guard lock(mutex_);
  return known_;
}

std::optional<ProxyCredentials> ProxyLogin::AfterRefusal(
    const std::u16string& proxy, const std::optional<ProxyCredentials>& sent) {
  // One question at a time: a second request refused meanwhile waits for
  // the answer to the first, and then uses it.
  std::lock_guard lock(mutex_);
  if (cancelled_) return std::nullopt;
  if (known_ && known_ != sent) return known_;
  const bool refusedBefore = sent.has_value();
  if (refusedBefore && ++refusedInARow_ >= kProxyAsksInARow) return std::nullopt;
  std::optional<ProxyCredentials> answer = prompt_.Ask(proxy, refusedBefore);
  if (!answer) {
    cancelled_ = true;
    if (onCancel_) onCancel_();
    return std::nullopt;
  }
  known_ = std::move(answer);
  return known_;
}

bool ProxyLogin::Cancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

void ProxyLogin::Accepted() {
  std::lock_guard lock(mutex_);
  refusedInARow_ = 0;
}

}  // namespace vwi
