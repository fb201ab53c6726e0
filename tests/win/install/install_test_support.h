// Helpers of the install engine's Windows tests: the built fixtures, scratch
// folders, registry reads, and a thread that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vwi::test {

// The folder of the built fixtures (packages, programs, make_transform.exe).
std::wstring BuiltFixture(const std::wstring& name);

// A fresh, empty scratch folder under the temporary folder (may hold spaces).
std::wstring ScratchFolder(const std::wstring& name);

bool FileExists(const std::wstring& path);
bool CopyInto(const std::wstring& from, const std::wstring& to);

// Runs a program to its end; its exit code, or -1.
int RunAndWait(const std::wstring& commandLine);

// Writes the fixture product's transform for `languageId` to `path`.
bool MakeTransform(const std::wstring& path, int languageId);

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key,
                                       const std::wstring& name);
std::optional<DWORD> ReadNumber(HKEY root, const std::wstring& key, const std::wstring& name);
void DeleteKey(HKEY root, const std::wstring& key);

// Removes a fixture product if it is installed (quietly).
void Uninstall(const wchar_t* productCode);

inline constexpr wchar_t kProductCode[] = L"{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B50}";
inline constexpr wchar_t kFailingCode[] = L"{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B60}";
inline constexpr wchar_t kPrerequisiteCode[] = L"{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B70}";
inline constexpr wchar_t kPackageKey[] = L"SOFTWARE\\Orvanta\\VimzeeFixture\\Package";
inline constexpr wchar_t kProgramsKey[] = L"Software\\Orvanta\\VimzeeFixture\\Programs";

// Forgets what the fixture programs recorded.
void ResetRecordedPrograms();

// A box the answerer found: its caption, its text and the button it pressed.
struct AnsweredBox {
  std::wstring caption;
  std::wstring text;
  int button = 0;
};

// Watches for message boxes (class "#32770") of this process with
// `caption`, reads each one's text and presses the next of `buttons`.
class BoxAnswerer {
 public:
  BoxAnswerer(std::wstring caption, std::vector<int> buttons);
  ~BoxAnswerer();
  // Stops watching and returns the boxes answered, in order.
  std::vector<AnsweredBox> Finish();

 private:
  void Watch();
  std::wstring caption_;
  std::vector<int> buttons_;
  std::vector<AnsweredBox> answered_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vwi::test
