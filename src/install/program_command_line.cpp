#include "install/program_command_line.h"

#include "install/package_command_line.h"
#include "platform/text.h"

namespace vwi {

std::u16string ProgramCommandLine(const InstallItem& item) {
  return u"\"" + item.localPath + u"\" " + item.commandLine;
}

std::u16string MsiexecParameters(const InstallItem& item) {
  return WithRestartSuppressed(u"/i \"" + item.localPath + u"\" " + item.commandLine);
}

bool IsPackagePath(const std::u16string& path) { return EndsWithIgnoreAsciiCase(path, u".msi"); }

}  // namespace vwi
