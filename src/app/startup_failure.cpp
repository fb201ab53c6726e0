#include "app/startup_failure.h"

#include "context/installer_context.h"

namespace vwi {

std::u16string StartupCaption(const InstallerContext& context) {
  if (!context.manifest.shortName.empty()) return context.manifest.shortName;
  return u"Vimzee Web Installer";
}

StartupFailureMessage DescribeStartupFailure(int32_t code, const InstallerContext& context) {
  StartupFailureMessage message{{}, StartupCaption(context)};
  switch (code) {
    case kManifestUnusable:
      message.text = u"The installation information is missing or damaged:\n" +
                     context.manifestPath + u"\n\nPlease download the installer again.";
      break;
    case kFolderFailure:
      // Run as administrator, the folders lie in a place of the machine's:
      // moving the installer elsewhere would change nothing.
      if (context.workFolders.IsProtected()) {
        message.text = u"The installer cannot create its work folders in\n" +
                       context.workFolders.Place() +
                       u"\n\nPlease ask your administrator to check that folder.";
        break;
      }
      message.text = u"The installer cannot create its work folders in\n" + context.programFolder +
                     u"\n\nPlease start it from a folder you can write to, such as your "
                     u"Downloads folder.";
      break;
    default:
      message.text =
          u"The installer cannot find the folder it was started from. Please download the "
          u"installer again and start it from a local folder.";
      break;
  }
  return message;
}

}  // namespace vwi
