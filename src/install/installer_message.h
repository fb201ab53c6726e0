// The external user-interface handler of a Windows Installer package: what
// each installer message does and what the installer is answered.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "install/installer_progress.h"

namespace vwi {

// Message kinds (the high byte of the message type) and the handler's answers.
namespace installer_message {
inline constexpr uint32_t kKindMask = 0xFF000000;
inline constexpr uint32_t kFatalExit = 0x00000000;
inline constexpr uint32_t kError = 0x01000000;
inline constexpr uint32_t kWarning = 0x02000000;
inline constexpr uint32_t kUser = 0x03000000;
inline constexpr uint32_t kInfo = 0x04000000;
inline constexpr uint32_t kFilesInUse = 0x05000000;
inline constexpr uint32_t kResolveSource = 0x06000000;
inline constexpr uint32_t kOutOfDiskSpace = 0x07000000;
inline constexpr uint32_t kActionStart = 0x08000000;
inline constexpr uint32_t kActionData = 0x09000000;
inline constexpr uint32_t kProgress = 0x0A000000;
inline constexpr uint32_t kCommonData = 0x0B000000;
inline constexpr uint32_t kInitialize = 0x0C000000;
inline constexpr uint32_t kTerminate = 0x0D000000;
inline constexpr uint32_t kShowDialog = 0x0E000000;
inline constexpr uint32_t kInstallEnd = 0x1B000000;
// The kinds the handler asks for: every kind above but FILESINUSE.
inline constexpr uint32_t kFilter = 0x8007FDF;

inline constexpr int kNotHandled = 0;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace installer_message

// What the handler does outside its own state.
class IInstallerMessageHost {
 public:
  virtual ~IInstallerMessageHost() = default;
  // Switches the installer to its basic user interface (done once per package).
  virtual void SetBasicUi() = 0;
  // Shows the installer's text in a box owned by the main window with the
  // product's short name as caption; returns the user's answer.
  virtual int ShowInstallerBox(std::u16string_view text, uint32_t style) = 0;
  // Reports the package as Installing at `percent`.
  virtual void ReportPackagePercent(int32_t percent) = 0;
  virtual void Diagnostic(std::u16string_view line) = 0;
};

// The handler's state while one package installs.
struct InstallerMessageState {
  PackageProgress progress;
  bool firstMessage = true;
  std::u16string homepageUrl;  // the page the package reported, if it did
};

// Handles one installer message; returns the answer the installer receives.
// A progress message is answered with cancel once `cancelled` is true, which
// makes the installer roll back.
int HandleInstallerMessage(InstallerMessageState& state, bool cancelled,
                           IInstallerMessageHost& host, uint32_t messageType, const char16_t* text);

// The diagnostic line written for every result other than 0.
std::u16string InstallerFailureLine(uint32_t result);

}  // namespace vwi
