#include "install/package_command_line.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace vwi {
namespace {

constexpr int32_t kEnglish = 1033;

std::u16string Quoted(const std::u16string& text) { return u"\"" + text + u"\""; }

}  // namespace

std::u16string ShellIntegrationLevel(int32_t fileAssociation) {
  switch (fileAssociation) {
    case 0:
      return u"All";
    case 1:
      return u"Free";
    case 2:
      return u"None";
    default:
      return u"";
  }
}

std::u16string TransformPath(const std::u16string& transformFolder, int32_t languageId) {
  return transformFolder + DecimalText(languageId) + u".mst";
}

std::u16string BuildPackageCommandLine(const PackageCommandLineInputs& in) {
  std::u16string line;
  if (in.productInstalled) {
    line = u"REINSTALL=ALL REINSTALLMODE=vomus REBOOT=ReallySuppress";
  } else if (in.installFolderExists) {
    line = u"INSTALLDIR=" + Quoted(WithoutTrailingBackslash(in.installFolder));
  }
  if (in.multipleLanguages && in.languageId != kEnglish) {
    line += u" TRANSFORMS=" + Quoted(TransformPath(in.transformFolder, in.languageId));
  }
  line += u" SHELL_INTEGRATION_LEVEL=" + Quoted(ShellIntegrationLevel(in.fileAssociation));
  return WithRestartSuppressed(line);
}

std::u16string WithRestartSuppressed(const std::u16string& line) {
  // A property starts the line or follows a space; its name is matched
  // without regard to case, as msiexec does.
  const std::u16string lower = AsciiLower(line);
  for (size_t at = lower.find(u"reboot="); at != std::u16string::npos;
       at = lower.find(u"reboot=", at + 1)) {
    if (at == 0 || lower[at - 1] == u' ' || lower[at - 1] == u'\t') return line;
  }
  return line + u" REBOOT=ReallySuppress";
}

}  // namespace vwi
