#include "app/win/startup_stages.h"

#include "app/win/vrel_master_installer_app.h"
#include "platform/win/dialog.h"

namespace vwi {
namespace {

constexpr UINT kInstallGuideTemplate = 139;

// Until the wizard's panels exist, the main window is the bare wizard frame:
// it shows (unless silent) and closes on request.
class BareInstallGuide : public Dialog {
 public:
  explicit BareInstallGuide(const AppFlags& flags) : Dialog(kInstallGuideTemplate), flags_(flags) {}

 protected:
  bool OnInitDialog() override {
    if (flags_.silentMode) {
      StayHidden();
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
    return true;
  }
  bool OnClose() override {
    EndDialog(IDCANCEL);
    return true;
  }

 private:
  const AppFlags& flags_;
};

}  // namespace

void RunInstallGuide(CVrelMasterInstallerApp& app) {
  BareInstallGuide guide(app.flags);
  app.SetMainWindow(&guide);
  guide.DoModal();
}

}  // namespace vwi
