// The status panel's lines for a snapshot of the installation: the status
// line of its state (or the count-down of a wait to retry) and the time
// line, in the wizard's language.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "install/progress.h"
#include "localisation/ui_string_catalogue.h"
#include "localisation/ui_string_keys.h"

namespace vwi {

// The texts of the status line and the time line: the catalogue's English
// defaults, which ProgressTextsFrom replaces with the chosen language's.
struct ProgressTexts {
  ProgressTexts();

  // The status line of each state.
  std::u16string statusInit, statusDownloading, statusInstalling, statusCancelling;
  std::u16string statusFinished, statusFailed, statusCancelled;
  std::u16string retrying;             // while a transfer waits to be tried again
  std::u16string waitingForInstaller;  // while a package waits for another installation
  // The time line.
  std::u16string calculating, hours, mins, secs;
};

// The catalogue key of one of the texts.
struct ProgressTextKey {
  std::u16string ProgressTexts::*text;
  const StringKey* key;
};
extern const std::array<ProgressTextKey, 13> kProgressTextKeys;

// The texts in the catalogue's language.
ProgressTexts ProgressTextsFrom(const UiStringCatalogue& strings);

// The status line of a state; empty for a value without one.
std::u16string StatusTextFor(InstallState state, const ProgressTexts& texts);

// The remaining-time line for a number of milliseconds.
std::u16string FormatRemaining(uint32_t milliseconds, const ProgressTexts& texts);

struct ProgressLines {
  std::u16string statusText;
  std::u16string timeText;
};

// The lines of one snapshot.
ProgressLines LinesOf(const ProgressSnapshot& snapshot, const ProgressTexts& texts);

}  // namespace vwi
