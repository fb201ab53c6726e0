// The process-wide HTTP session and the lock around every write of
// downloaded data.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <mutex>
#include <string>

#include "download/proxy_login.h"

namespace vwi {

inline constexpr wchar_t kUserAgent[] = L"Vimzee Web Installer Client";

// Opens the session if none is open (system proxy settings); true when one
// is open afterwards. Thread-safe.
bool OpenInternetSession();

// Closes the session; the next OpenInternetSession opens a new one.
void CloseInternetSession();

// The open session, or null.
HINTERNET InternetSession();

// The proxy the session's requests go through ("host:port", as the system
// settings name it), or empty when they go direct.
std::u16string SessionProxy();

// The run's sign-in to its proxy, shared by every request of the session;
// none (a silent run) by default. Set before the transfers start.
void SetProxyLogin(ProxyLogin* login);
ProxyLogin* SessionProxyLogin();

// Held around every seek, write and flush of downloaded data.
std::mutex& TransferLock();

// Sent as "Referer" with every request when not empty; empty by default.
std::u16string& RefererUrl();

}  // namespace vwi
