#include "download/win/internet_session.h"

#include "platform/win/unique_handle.h"

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
