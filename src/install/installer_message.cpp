#include "install/installer_message.h"

#include "install/homepage_capture.h"
#include "platform/text.h"

namespace vwi {
namespace {

namespace im = installer_message;

constexpr uint32_t kStyleMask = 0x00FFFFFF;

int HandleProgress(InstallerMessageState& state, bool cancelRequested, IInstallerMessageHost& host,
                   std::u16string_view text) {
  const auto message = ParseProgressMessage(text);
  if (!message) return im::kOk;
  if (const auto percent = state.progress.Apply(*message)) host.ReportPackagePercent(*percent);
  return cancelRequested ? im::kCancel : im::kOk;
}

}  // namespace

int HandleInstallerMessage(InstallerMessageState& state, bool cancelled,
                           IInstallerMessageHost& host, uint32_t messageType,
                           const char16_t* text) {
  if (state.firstMessage) {
    host.SetBasicUi();
    state.firstMessage = false;
  }
  if (!text) return im::kNotHandled;
  const std::u16string_view body(text);
  host.Diagnostic(u"\r\n " + std::u16string(body));

  switch (messageType & im::kKindMask) {
    case im::kFatalExit:
    case im::kError:
    case im::kOutOfDiskSpace:
      return host.ShowInstallerBox(body, messageType & kStyleMask);
    case im::kInfo:
      CaptureHomepage(state.homepageUrl, body);
      return im::kOk;
    case im::kProgress:
      return HandleProgress(state, cancelled, host, body);
    case im::kWarning:
    case im::kUser:
    case im::kActionStart:
    case im::kActionData:
    case im::kCommonData:
    case im::kInitialize:
    case im::kTerminate:
    case im::kShowDialog:
    case im::kInstallEnd:
      return im::kOk;
    default:  // FILESINUSE, RESOLVESOURCE and unknown kinds
      return im::kNotHandled;
  }
}

std::u16string InstallerFailureLine(uint32_t result) {
  return u"KORVO_DEBUG: MSI Installation failed. Error Code: " + DecimalText(result) + u"\r\n";
}

}  // namespace vwi
