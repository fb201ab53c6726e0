#include "install_test_support.h"

#include <msi.h>

namespace vwi::test {

std::wstring BuiltFixture(const std::wstring& name) {
  return std::wstring(L"" VWI_INSTALL_FIXTURES) + L"\\" + name;
}

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring ScratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name;
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyInto(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

int RunAndWait(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

bool MakeTransform(const std::wstring& path, int languageId) {
  return RunAndWait(L"\"" + BuiltFixture(L"make_transform.exe") + L"\" \"" + path + L"\" " +
                    std::to_wstring(languageId)) == 0;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key,
                                       const std::wstring& name) {
  wchar_t buffer[1024];
  DWORD size = sizeof(buffer);
  if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(buffer);
}

std::optional<DWORD> ReadNumber(HKEY root, const std::wstring& key, const std::wstring& name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void DeleteKey(HKEY root, const std::wstring& key) { RegDeleteTreeW(root, key.c_str()); }

void Uninstall(const wchar_t* productCode) {
  MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
  MsiConfigureProductW(productCode, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
}

void ResetRecordedPrograms() { DeleteKey(HKEY_CURRENT_USER, kProgramsKey); }

BoxAnswerer::BoxAnswerer(std::wstring caption, std::vector<int> buttons)
    : caption_(std::move(caption)), buttons_(std::move(buttons)), thread_([this] { Watch(); }) {}

BoxAnswerer::~BoxAnswerer() { Finish(); }

std::vector<AnsweredBox> BoxAnswerer::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return answered_;
}

void BoxAnswerer::Watch() {
  size_t next = 0;
  while (!stop_) {
    HWND box = FindWindowW(L"#32770", caption_.c_str());
    DWORD processId = 0;
    if (box) GetWindowThreadProcessId(box, &processId);
    if (box && processId == GetCurrentProcessId() && IsWindowVisible(box)) {
      wchar_t text[2048] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, 2048);
      const int button = next < buttons_.size() ? buttons_[next++] : IDCANCEL;
      answered_.push_back({caption_, text, button});
      HWND control = GetDlgItem(box, button);
      if (control) {
        SendMessageW(control, BM_CLICK, 0, 0);
      } else {
        PostMessageW(box, WM_COMMAND, button, 0);
      }
      // Wait until this box has gone before looking for the next one.
      for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
    }
    Sleep(20);
  }
}

}  // namespace vwi::test
