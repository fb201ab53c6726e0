// Progress arithmetic of the installation: package weights, the overall
// percentage across the download and install phases, and the remaining time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vwi {

// Scales the weights so they sum to exactly 100; the last entry takes the
// rounding remainder. An empty list stays empty.
void NormaliseWeights(std::vector<uint32_t>& weights);

// The weights before `index` in full plus the weight at `index` times
// percent / 100, at most 100. An index past the end (-1 taken as unsigned
// included) gives 100.
float WeightedPercent(const std::vector<uint32_t>& weights, uint32_t index, float percent);

// The texts of the status line and the time line; English defaults, which
// the caller replaces with the catalogue's texts of the chosen language.
// The time texts are printf-style formats with %d conversions only.
struct ProgressTexts {
  std::u16string statusInit = u"Initializing...";                     // IDS_STATUS_INIT
  std::u16string statusDownloading = u"Downloading, please wait...";  // IDS_STATUS_DOWNLOADING
  std::u16string statusInstalling = u"Installing, please wait...";    // IDS_STATUS_INSTALLING
  std::u16string statusCancelling = u"Cancelling...";                 // IDS_STATUS_CANCELLING
  std::u16string statusFinished = u"Finished.";                       // IDS_STATUS_FINISHED
  std::u16string statusFailed = u"Install failed.";                   // IDS_STATUS_INSTALL_FAILED
  std::u16string statusCancelled = u"Cancelled.";                     // IDS_STATUS_CANCELLED
  std::u16string retrying =
      u"Connection interrupted. Retrying in %d seconds...";       // IDS_STATUS_RETRYING
  std::u16string calculating = u"Calculating time remaining...";  // IDS_CALC_TIME_REMAINING
  std::u16string hours =
      u"%02d hours %02d mins %02d secs remaining...";         // IDS_TIME_REMAINING_HOURS
  std::u16string mins = u"%02d mins %02d secs remaining...";  // IDS_TIME_REMAINING_MINS
  std::u16string secs = u"%02d secs remaining...";            // IDS_TIME_REMAINING_SECS
};

// What the status panel shows for one poll.
struct ProgressSnapshot {
  int32_t state = 0;
  float percent = 0.0f;  // 0 to 100
  std::u16string statusText;
  std::u16string timeText;
};

// The status line for a state value; empty for a value without one.
std::u16string StatusTextFor(int32_t state, const ProgressTexts& texts);

// The remaining-time line for a number of milliseconds.
std::u16string FormatRemaining(uint32_t milliseconds, const ProgressTexts& texts);

// Fills the %d / %0Nd conversions of a translated format with `numbers` in
// order; "%%" gives "%". Any other conversion, or one without a number left,
// is copied as it stands, so a faulty translation can never read past the
// arguments.
std::u16string FormatNumbers(std::u16string_view format, const std::vector<uint32_t>& numbers);

// Fills the first "%s" of a translated text with `name`; "%%" gives "%".
// Other conversions are copied as they stand.
std::u16string FormatWithName(std::u16string_view format, std::u16string_view name);

// The fields of the shared status that a snapshot reads.
struct ProgressInput {
  int32_t state = 0;
  int32_t itemIndex = 0;
  int32_t itemPercent = 0;
  const std::vector<uint32_t>* downloadWeights = nullptr;
  const std::vector<uint32_t>* installWeights = nullptr;
  uint32_t retryInSeconds = 0;  // a transfer waits to be tried again; 0: none
};

// The overall percentage: downloads cover 0-50 and installing 50-100 when
// anything is downloaded, installing alone 0-100 otherwise.
float OverallPercent(const ProgressInput& input);

// One snapshot at `nowTick`; while a transfer waits to be tried again, the
// status line counts the wait down and the time line says "calculating".
// `startTick` is the tick of the first snapshot;
// 0 means none was taken yet, and it is then set to `nowTick`. Tick
// arithmetic is unsigned 32-bit, so a counter wrap-around is harmless.
ProgressSnapshot ComputeSnapshot(const ProgressInput& input, const ProgressTexts& texts,
                                 uint32_t nowTick, uint32_t& startTick);

}  // namespace vwi
