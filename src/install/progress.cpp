#include "install/progress.h"

namespace vwi {

void NormaliseWeights(std::vector<uint32_t>& weights) {
  if (weights.empty()) return;
  uint32_t sum = 0;
  for (uint32_t w : weights) sum += w;
  uint32_t total = 0;
  for (size_t i = 0; i + 1 < weights.size(); ++i) {
    // A list of zero weights would divide by zero; it then shares nothing and
    // the last entry takes the whole.
    weights[i] = sum == 0 ? 0 : weights[i] * 100u / sum;
    total += weights[i];
  }
  weights.back() = 100u - total;
}

float WeightedPercent(const std::vector<uint32_t>& weights, uint32_t index, float percent) {
  if (index >= weights.size()) return 100.0f;
  float sum = 0.0f;
  for (uint32_t i = 0; i < index; ++i) sum += static_cast<float>(weights[i]);
  sum += static_cast<float>(weights[index]) * percent / 100.0f;
  return sum > 100.0f ? 100.0f : sum;
}

float OverallPercent(const ProgressInput& input) {
  static const std::vector<uint32_t> kNone;
  const auto& download = input.downloadWeights ? *input.downloadWeights : kNone;
  const auto& install = input.installWeights ? *input.installWeights : kNone;
  const auto index = static_cast<uint32_t>(input.itemIndex);
  const auto percent = static_cast<float>(input.itemPercent);
  switch (input.state) {
    case InstallState::Downloading:
      return download.empty() ? 0.0f : WeightedPercent(download, index, percent) * 0.5f;
    case InstallState::Installing: {
      if (install.empty()) return 0.0f;
      const float value = WeightedPercent(install, index, percent);
      return download.empty() ? value : value * 0.5f + 50.0f;
    }
    case InstallState::Finished:
      return 100.0f;
    default:
      return 0.0f;
  }
}

ProgressSnapshot ComputeSnapshot(const ProgressInput& input, uint32_t nowTick,
                                 uint32_t& startTick) {
  ProgressSnapshot snap;
  snap.state = input.state;
  snap.percent = OverallPercent(input);

  const bool downloads = input.downloadWeights && !input.downloadWeights->empty();
  float phase = snap.percent;
  if (input.state == InstallState::Downloading) {
    phase = snap.percent * 2.0f;
  } else if (input.state == InstallState::Installing && downloads) {
    phase = (snap.percent - 50.0f) * 2.0f;
  }

  // A transfer waiting to be tried again says so, and so does a package
  // waiting for the Windows Installer; no estimate holds then.
  if (input.state == InstallState::Downloading && input.retryInSeconds > 0) {
    if (startTick == 0) startTick = nowTick;
    snap.retryInSeconds = input.retryInSeconds;
    return snap;
  }
  if (input.state == InstallState::Installing && input.installerBusy) {
    if (startTick == 0) startTick = nowTick;
    snap.installerBusy = true;
    return snap;
  }
  if (startTick == 0) {
    startTick = nowTick;
    if (phase > 0.0f) snap.remainingMilliseconds = 1000;
    return snap;
  }
  if (!(phase > 0.0f)) return snap;
  const uint32_t elapsed = nowTick - startTick;
  const float estimated = static_cast<float>(elapsed) / (phase / 100.0f);
  // An estimate beyond the 32-bit range (a tiny phase after a long wait)
  // saturates: converting it would be undefined, and wrapping it would show a
  // short time for a long one.
  const uint32_t estimatedTotal =
      estimated >= 4294967295.0f ? 0xFFFFFFFFu : static_cast<uint32_t>(estimated);
  const uint32_t remaining = estimatedTotal - elapsed;
  snap.remainingMilliseconds = remaining != 0 ? remaining : 1000;
  return snap;
}

}  // namespace vwi
