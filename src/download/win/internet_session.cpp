#include "download/win/internet_session.h"

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {

namespace {

std::mutex& SessionGuard() {
  static std::mutex guard;
  return guard;
}

UniqueInternet& Session() {
  static UniqueInternet session;
  return session;
}

}  // namespace

bool OpenInternetSession() {
  std::lock_guard lock(SessionGuard());
  if (!Session()) {
    Session().reset(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  }
  return static_cast<bool>(Session());
}

std::u16string SessionProxy() {
  HINTERNET session = InternetSession();
  DWORD size = 0;
  if (!session) return {};
  InternetQueryOptionW(session, INTERNET_OPTION_PROXY, nullptr, &size);
  if (size < sizeof(INTERNET_PROXY_INFO)) return {};
  std::vector<uint8_t> buffer(size + sizeof(wchar_t));
  if (!InternetQueryOptionW(session, INTERNET_OPTION_PROXY, buffer.data(), &size)) return {};
  const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
  if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || !info->lpszProxy) return {};
  return FromWide(info->lpszProxy);
}

namespace {
std::atomic<ProxyLogin*>& Login() {
  static std::atomic<ProxyLogin*> login{nullptr};
  return login;
}
}  // namespace

void SetProxyLogin(ProxyLogin* login) { Login() = login; }

ProxyLogin* SessionProxyLogin() { return Login(); }

void CloseInternetSession() {
  std::lock_guard lock(SessionGuard());
  Session().reset();
}

HINTERNET InternetSession() {
  std::lock_guard lock(SessionGuard());
  return Session().get();
}

std::mutex& TransferLock() {
  static std::mutex lock;
  return lock;
}

std::u16string& RefererUrl() {
  static std::u16string referer;
  return referer;
}

}  // namespace vwi
