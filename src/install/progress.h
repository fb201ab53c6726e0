// Progress arithmetic of the installation: package weights, the overall
// percentage across the download and install phases, and the remaining time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/install_state.h"
#include "localisation/ui_string_keys.h"

namespace vwi {

// Scales the weights so they sum to exactly 100; the last entry takes the
// rounding remainder. An empty list stays empty.
void NormaliseWeights(std::vector<uint32_t>& weights);

// The weights before `index` in full plus the weight at `index` times
// percent / 100, at most 100. An index past the end (-1 taken as unsigned
// included) gives 100.
float WeightedPercent(const std::vector<uint32_t>& weights, uint32_t index, float percent);

// The texts of the status line and the time line; the catalogue's English
// defaults, which the caller replaces with the chosen language's texts.
struct ProgressTexts {
  std::u16string statusInit{IDS_STATUS_INIT.defaultText};
  std::u16string statusDownloading{IDS_STATUS_DOWNLOADING.defaultText};
  std::u16string statusInstalling{IDS_STATUS_INSTALLING.defaultText};
  std::u16string statusCancelling{IDS_STATUS_CANCELLING.defaultText};
  std::u16string statusFinished{IDS_STATUS_FINISHED.defaultText};
  std::u16string statusFailed{IDS_STATUS_INSTALL_FAILED.defaultText};
  std::u16string statusCancelled{IDS_STATUS_CANCELLED.defaultText};
  std::u16string retrying{IDS_STATUS_RETRYING.defaultText};
  std::u16string calculating{IDS_CALC_TIME_REMAINING.defaultText};
  std::u16string hours{IDS_TIME_REMAINING_HOURS.defaultText};
  std::u16string mins{IDS_TIME_REMAINING_MINS.defaultText};
  std::u16string secs{IDS_TIME_REMAINING_SECS.defaultText};
};

// What the status panel shows for one poll.
struct ProgressSnapshot {
  InstallState state = InstallState::Initial;
  float percent = 0.0f;  // 0 to 100
  std::u16string statusText;
  std::u16string timeText;
};

// The status line of a state; empty for a value without one.
std::u16string StatusTextFor(InstallState state, const ProgressTexts& texts);

// The remaining-time line for a number of milliseconds.
std::u16string FormatRemaining(uint32_t milliseconds, const ProgressTexts& texts);

// The fields of the shared status that a snapshot reads.
struct ProgressInput {
  InstallState state = InstallState::Initial;
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
