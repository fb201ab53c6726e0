#include "wizard/progress_lines.h"

#include <iterator>

#include "localisation/ui_text_format.h"

namespace vwi {

const std::array<ProgressTextKey, 13> kProgressTextKeys = {
    {{&ProgressTexts::statusInit, &IDS_STATUS_INIT},
     {&ProgressTexts::statusDownloading, &IDS_STATUS_DOWNLOADING},
     {&ProgressTexts::statusInstalling, &IDS_STATUS_INSTALLING},
     {&ProgressTexts::statusCancelling, &IDS_STATUS_CANCELLING},
     {&ProgressTexts::statusFinished, &IDS_STATUS_FINISHED},
     {&ProgressTexts::statusFailed, &IDS_STATUS_INSTALL_FAILED},
     {&ProgressTexts::statusCancelled, &IDS_STATUS_CANCELLED},
     {&ProgressTexts::retrying, &IDS_STATUS_RETRYING},
     {&ProgressTexts::waitingForInstaller, &IDS_STATUS_WAITING_FOR_INSTALLER},
     {&ProgressTexts::calculating, &IDS_CALC_TIME_REMAINING},
     {&ProgressTexts::hours, &IDS_TIME_REMAINING_HOURS},
     {&ProgressTexts::mins, &IDS_TIME_REMAINING_MINS},
     {&ProgressTexts::secs, &IDS_TIME_REMAINING_SECS}}};

ProgressTexts::ProgressTexts() {
  for (const ProgressTextKey& entry : kProgressTextKeys) this->*entry.text = entry.key->defaultText;
}

std::u16string StatusTextFor(InstallState state, const ProgressTexts& texts) {
  // Indexed by the state's value; 1 is no state.
  constexpr std::u16string ProgressTexts::*kTexts[] = {
      &ProgressTexts::statusInit,        nullptr,
      &ProgressTexts::statusDownloading, &ProgressTexts::statusInstalling,
      &ProgressTexts::statusCancelling,  &ProgressTexts::statusFinished,
      &ProgressTexts::statusFailed,      &ProgressTexts::statusCancelled};
  const auto index = static_cast<size_t>(state);
  if (index >= std::size(kTexts) || !kTexts[index]) return {};
  return texts.*kTexts[index];
}

std::u16string FormatRemaining(uint32_t milliseconds, const ProgressTexts& texts) {
  const uint32_t s = milliseconds / 1000;
  const uint32_t hours = s / 3600;
  const uint32_t minutes = (s % 3600) / 60;
  const uint32_t seconds = (s % 3600) % 60;
  if (hours > 0) {
    return FormatTranslation(texts.hours, IDS_TIME_REMAINING_HOURS, {hours, minutes, seconds});
  }
  if (minutes > 0)
    return FormatTranslation(texts.mins, IDS_TIME_REMAINING_MINS, {minutes, seconds});
  return FormatTranslation(texts.secs, IDS_TIME_REMAINING_SECS, {seconds});
}

ProgressTexts ProgressTextsFrom(const UiStringCatalogue& strings) {
  ProgressTexts texts;
  for (const ProgressTextKey& entry : kProgressTextKeys) {
    texts.*entry.text = strings.LookupUiString(*entry.key);
  }
  return texts;
}

ProgressLines LinesOf(const ProgressSnapshot& snapshot, const ProgressTexts& texts) {
  if (snapshot.installerBusy) return {texts.waitingForInstaller, texts.calculating};
  if (snapshot.retryInSeconds > 0) {
    return {FormatTranslation(texts.retrying, IDS_STATUS_RETRYING, {snapshot.retryInSeconds}),
            texts.calculating};
  }
  return {StatusTextFor(snapshot.state, texts),
          snapshot.remainingMilliseconds ? FormatRemaining(*snapshot.remainingMilliseconds, texts)
                                         : texts.calculating};
}

}  // namespace vwi
