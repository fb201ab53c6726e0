// The loopback servers of the download tests, found through the environment
// that tests/harness/servers/with-servers.sh sets.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/win_held_folder.h"

namespace vwi::test {

inline std::u16string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::u16string(value, value + std::strlen(value)) : std::u16string();
}

inline bool ServersUp() { return !EnvText("VWI_NGINX_PORT").empty(); }

#define VWI_REQUIRE_SERVERS()    \
  if (!::vwi::test::ServersUp()) \
  GTEST_SKIP() << "run through " \
                  "tests/harness/servers/with-servers.sh"

// http://127.0.0.1:<port><path> on nginx (the served folder) or the fault server.
inline std::u16string NginxUrl(const std::u16string& path) {
  return u"http://127.0.0.1:" + EnvText("VWI_NGINX_PORT") + path;
}
inline std::u16string FaultUrl(const std::u16string& path) {
  return u"http://127.0.0.1:" + EnvText("VWI_FAULT_PORT") + path;
}

inline std::vector<uint8_t> ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A file of the served folder.
inline std::vector<uint8_t> ServedBytes(const std::string& name) {
  const std::u16string www = EnvText("VWI_WWW");
  return ReadBytes(std::wstring(www.begin(), www.end()) + L"\\" +
                   std::wstring(name.begin(), name.end()));
}

// A log of the loopback servers ("fault.log", "nginx-access.log").
inline std::string ServerLog(const wchar_t* name) {
  std::u16string www = EnvText("VWI_WWW");
  const std::wstring log =
      std::wstring(www.begin(), www.begin() + static_cast<ptrdiff_t>(www.rfind(u'\\'))) +
      L"\\servers\\" + name;
  const std::vector<uint8_t> bytes = ReadBytes(log);
  return std::string(bytes.begin(), bytes.end());
}

// The lines of a server log that hold `text`.
inline std::vector<std::string> LogLinesWith(const std::string& log, const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    if (line.find(text) != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// How many requests the fault server logged whose request line holds `text`.
inline int FaultRequests(const std::string& text) {
  const std::string all = ServerLog(L"fault.log");
  // One line per request (the line may quote the request twice).
  int count = 0;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    if (all.compare(start, text.size(), text) == 0) ++count;
    start = end + 1;
  }
  return count;
}

// The fault server's byte pattern.
inline std::vector<uint8_t> Pattern(size_t count) {
  std::vector<uint8_t> out(count);
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>((i * 7 + i / 4096) & 0xFF);
  return out;
}

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"vwi_dl_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(counter_++);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  // Removes the folder with everything in it.
  ~TempFolder() {
    const size_t cut = path_.rfind(L'\\');
    std::wstring parent = path_.substr(0, cut), name = path_.substr(cut + 1);
    if (auto held = OpenHeldFolder(std::u16string(parent.begin(), parent.end()), false).folder) {
      held->Remove(std::u16string(name.begin(), name.end()));
    }
  }
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::u16string Folder16() const {
    std::wstring withSlash = path_ + L"\\";
    return std::u16string(withSlash.begin(), withSlash.end());
  }
  // The names of the files in it, sorted.
  std::vector<std::wstring> Files() const;

 private:
  std::wstring path_;
  static inline int counter_ = 0;
};

inline std::vector<std::wstring> TempFolder::Files() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vwi::test
