// Progress arithmetic of the installation: package weights, the overall
// percentage across the download and install phases, and the remaining time.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "install/install_state.h"

namespace vwi {

// Scales the weights so they sum to exactly 100; the last entry takes the
// rounding remainder. An empty list stays empty.
void NormaliseWeights(std::vector<uint32_t>& weights);

// The weights before `index` in full plus the weight at `index` times
// percent / 100, at most 100. An index past the end (-1 taken as unsigned
// included) gives 100.
float WeightedPercent(const std::vector<uint32_t>& weights, uint32_t index, float percent);

// What the status panel shows for one poll, as numbers: the wizard makes
// its own lines of them.
struct ProgressSnapshot {
  InstallState state = InstallState::Initial;
  float percent = 0.0f;         // 0 to 100
  uint32_t retryInSeconds = 0;  // a download waits this long to be tried again; 0: none
  // The time left; nothing while no estimate holds ("calculating").
  std::optional<uint32_t> remainingMilliseconds;
  bool installerBusy = false;  // a package waits for another installation to finish
};

// The fields of the shared status that a snapshot reads.
struct ProgressInput {
  InstallState state = InstallState::Initial;
  int32_t itemIndex = 0;
  int32_t itemPercent = 0;
  const std::vector<uint32_t>* downloadWeights = nullptr;
  const std::vector<uint32_t>* installWeights = nullptr;
  uint32_t retryInSeconds = 0;  // a transfer waits to be tried again; 0: none
  bool installerBusy = false;   // a package waits for another installation to finish
};

// The overall percentage: downloads cover 0-50 and installing 50-100 when
// anything is downloaded, installing alone 0-100 otherwise.
float OverallPercent(const ProgressInput& input);

// One snapshot at `nowTick`; while a transfer waits to be tried again, or a
// package waits for another installation, no estimate holds. `startTick` is the tick of the first
// snapshot; 0 means none was taken yet, and it is then set to `nowTick` (the first estimate is one
// second while anything is done). Tick arithmetic is unsigned 32-bit, so a counter wrap-around is
// harmless.
ProgressSnapshot ComputeSnapshot(const ProgressInput& input, uint32_t nowTick, uint32_t& startTick);

}  // namespace vwi
