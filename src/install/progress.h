// Progress arithmetic of the installation: package weights, the overall
// percentage across the download and install phases, and the remaining time.
#pragma once

#include <array>
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

// The texts of the status line and the time line: the catalogue's English
// defaults, which the caller replaces with the chosen language's texts.
struct ProgressTexts {
  ProgressTexts();

  // The status line of each state.
  std::u16string statusInit, statusDownloading, statusInstalling, statusCancelling;
  std::u16string statusFinished, statusFailed, statusCancelled;
  std::u16string retrying;  // while a transfer waits to be tried again
  // The time line.
  std::u16string calculating, hours, mins, secs;
};

// The catalogue key of one of the texts.
struct ProgressTextKey {
  std::u16string ProgressTexts::*text;
  const StringKey* key;
};
extern const std::array<ProgressTextKey, 12> kProgressTextKeys;

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
