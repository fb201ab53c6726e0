#include "app/win/updater_handover.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win/wide.h"

namespace vwi {
namespace {

class RecordingBoxes : public IMessageBox {
 public:
  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override {
    texts.emplace_back(text);
    captions.emplace_back(caption);
    styles.push_back(style);
    return message_box::kAnswerOk;
  }
  std::vector<std::u16string> texts, captions;
  std::vector<uint32_t> styles;
};

constexpr wchar_t kRecordKey[] = L"Software\\Orvanta\\VimzeeFixture\\Programs\\LanguagePack";

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

std::wstring RecordedCommandLine() {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  RegGetValueW(HKEY_CURRENT_USER, kRecordKey, L"CommandLine", RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

TEST(UpdaterHandOver, StartsTheNewerInstallerWithSkipValidation) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey);
  const std::wstring folder = TempFolder() + L"VrelWebInstaller_handover test";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring updater = folder + L"\\Vimzee Home.exe";
  ASSERT_TRUE(CopyFileW(VWI_INSTALL_FIXTURES L"\\language_pack.exe", updater.c_str(), FALSE));

  RecordingBoxes boxes;
  EXPECT_EQ(HandOverToUpdater(FromWide(updater.c_str()), boxes, u"Vimzee"),
            HandOverResult::kStarted);
  for (int i = 0; i < 100 && RecordedCommandLine().empty(); ++i) Sleep(50);
  const std::wstring line = RecordedCommandLine();
  EXPECT_NE(line.find(L"Vimzee Home.exe"), std::wstring::npos) << line;
  EXPECT_EQ(line.substr(line.size() - 3), L" /n") << line;
  EXPECT_TRUE(boxes.texts.empty());

  RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey);
  for (int i = 0; i < 50 && !DeleteFileW(updater.c_str()); ++i) Sleep(50);
  RemoveDirectoryW(folder.c_str());
}

TEST(UpdaterHandOver, MissingFileStartsAndShowsNothing) {
  RecordingBoxes boxes;
  EXPECT_EQ(HandOverToUpdater(u"", boxes, u"Vimzee"), HandOverResult::kNoFile);
  EXPECT_EQ(HandOverToUpdater(u"C:\\no\\such\\folder\\Vimzee Home.exe", boxes, u"Vimzee"),
            HandOverResult::kNoFile);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(UpdaterHandOver, ShellFailureIsReported) {
  // A file the shell has no program for.
  const std::wstring file = TempFolder() + L"vwi-handover.unstartable-type";
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);

  RecordingBoxes boxes;
  EXPECT_EQ(HandOverToUpdater(FromWide(file.c_str()), boxes, u"Vimzee"),
            HandOverResult::kStartFailed);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], u"The updater cannot be launched!");
  EXPECT_EQ(boxes.captions[0], u"Vimzee");
  EXPECT_EQ(boxes.styles[0], message_box::kOk | message_box::kIconError);
  DeleteFileW(file.c_str());
}

TEST(UpdaterHandOver, ASilentHandOverPassesTheOptionsAndEndsWithTheNewerCode) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRecordKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const DWORD newerCode = 1638;
  RegSetValueExW(key, L"ExitCode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&newerCode),
                 sizeof(newerCode));
  RegCloseKey(key);
  const std::wstring folder = TempFolder() + L"VrelWebInstaller_silent handover";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring updater = folder + L"\\Vimzee Home.exe";
  ASSERT_TRUE(CopyFileW(VWI_INSTALL_FIXTURES L"\\language_pack.exe", updater.c_str(), FALSE));

  RecordingBoxes boxes;
  const SilentHandOver handOver = HandOverSilently(
      FromWide(updater.c_str()), u"/n /s /lang 1031 /log \"C:\\My Logs\\a.log\"", boxes, u"Vimzee");
  EXPECT_EQ(handOver.result, HandOverResult::kStarted);
  // The newer copy has ended: its record is there without waiting.
  EXPECT_EQ(handOver.exitCode, 1638);
  const std::wstring line = RecordedCommandLine();
  EXPECT_NE(line.find(L"Vimzee Home.exe"), std::wstring::npos) << line;
  const std::wstring tail = L" /n /s /lang 1031 /log \"C:\\My Logs\\a.log\"";
  ASSERT_GE(line.size(), tail.size()) << line;
  EXPECT_EQ(line.substr(line.size() - tail.size()), tail) << line;
  EXPECT_TRUE(boxes.texts.empty());

  RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey);
  for (int i = 0; i < 50 && !DeleteFileW(updater.c_str()); ++i) Sleep(50);
  RemoveDirectoryW(folder.c_str());
}

TEST(UpdaterHandOver, ASilentHandOverWithoutItsFileStartsNothing) {
  RecordingBoxes boxes;
  const SilentHandOver handOver =
      HandOverSilently(u"C:\\nowhere\\Vimzee Home.exe", u"/n /s", boxes, u"Vimzee");
  EXPECT_EQ(handOver.result, HandOverResult::kNoFile);
  EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
}  // namespace vwi
