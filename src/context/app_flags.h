// The run-wide flags of the application object, set by the command line and
// by the existing-installation probe. One instance lives in the application
// object; everything else receives it by reference.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

struct AppFlags {
  int32_t productInstalled = 0;      // an installed version of the product was found
  int32_t silentMode = 0;            // "/s"
  int32_t skipValidation = 0;        // "/n"
  int32_t launchAfterInstall = 0;    // "/l"
  std::u16string requestedLanguage;  // the value after "/lang"
  std::u16string logPath;            // the value after "/log": the diagnostic log's file
};

}  // namespace vwi
