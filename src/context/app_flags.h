// The run-wide flags of the application object, set by the command line and
// by the existing-installation probe. One instance lives in the application
// object; everything else receives it by reference.
#pragma once

#include <string>

namespace vwi {

struct AppFlags {
  bool productInstalled = false;     // an installed version of the product was found
  bool silentMode = false;           // "/s"
  bool skipValidation = false;       // "/n"
  bool launchAfterInstall = false;   // "/l"
  std::u16string requestedLanguage;  // the value after "/lang"
  std::u16string logPath;            // the value after "/log": the diagnostic log's file
  std::u16string layoutFolder;       // the value after "/layout": make an offline layout there
  bool showHelp = false;             // "/?" or "/help": the options are shown, nothing else runs
};

}  // namespace vwi
