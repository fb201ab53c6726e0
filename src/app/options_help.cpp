#include "app/options_help.h"

namespace vwi {

std::u16string OptionsHelpText() {
  return u"Options (a value follows its option as the next argument):\n"
         u"\n"
         u"/s\tSilent: no wizard; installs with the defaults.\n"
         u"/l\tStarts the product once it is installed.\n"
         u"/lang ID\tThe wizard's language, as a Windows language number (1031: German).\n"
         u"/log FILE\tWrites a diagnostic log to FILE (a folder: a new file in it).\n"
         u"/n\tSkips the check of this installer against the download server.\n"
         u"/layout DIR\tMakes in DIR a folder that installs with no network (with /lang ID: "
         u"that language and English only); installs nothing.\n"
         u"/? or /help\tShows this box.\n"
         u"\n"
         u"Exit codes: 0 installed; 3010 installed, restart to finish; 1602 cancelled; "
         u"1603 failed; 1610 manifest unusable; 1612 download failed; 1618 another installation "
         u"was in progress; 1620 a download failed its check; 1638 already installed; "
         u"112 disk full.";
}

}  // namespace vwi
