#include "download/progress.h"

namespace vwi {

namespace {

constexpr int32_t kDownloading = 2;
constexpr int32_t kInstalling = 3;
constexpr int32_t kFinished = 5;

}  // namespace

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

std::u16string StatusTextFor(int32_t state, const ProgressTexts& texts) {
  switch (state) {
    case 0:
    case 1:
      return texts.statusInit;
    case 2:
      return texts.statusDownloading;
    case 3:
      return texts.statusInstalling;
    case 4:
      return texts.statusCancelling;
    case 5:
      return texts.statusFinished;
    case 6:
      return texts.statusFailed;
    case 7:
      return texts.statusCancelled;
    default:
      return {};
  }
}

std::u16string FormatNumbers(std::u16string_view format, const std::vector<uint32_t>& numbers) {
  std::u16string out;
  size_t next = 0;
  size_t i = 0;
  while (i < format.size()) {
    if (format[i] != u'%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == u'%') {
      out += u'%';
      i += 2;
      continue;
    }
    // %[0][width]d
    size_t j = i + 1;
    bool zero = j < format.size() && format[j] == u'0';
    if (zero) ++j;
    unsigned width = 0;
    while (j < format.size() && format[j] >= u'0' && format[j] <= u'9' && width < 100) {
      width = width * 10 + (format[j] - u'0');
      ++j;
    }
    if (j < format.size() && (format[j] == u'd' || format[j] == u'u') && next < numbers.size()) {
      std::u16string digits;
      uint32_t v = numbers[next++];
      do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
      } while (v != 0);
      if (digits.size() < width) digits.insert(0, width - digits.size(), zero ? u'0' : u' ');
      out += digits;
      i = j + 1;
    } else {
      out += format[i++];
    }
  }
  return out;
}

std::u16string FormatWithName(std::u16string_view format, std::u16string_view name) {
  std::u16string out;
  bool filled = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      if (format[i + 1] == u's' && !filled) {
        out += name;
        filled = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

std::u16string FormatRemaining(uint32_t milliseconds, const ProgressTexts& texts) {
  const uint32_t s = milliseconds / 1000;
  const uint32_t hours = s / 3600;
  const uint32_t minutes = (s % 3600) / 60;
  const uint32_t seconds = (s % 3600) % 60;
  if (hours > 0) return FormatNumbers(texts.hours, {hours, minutes, seconds});
  if (minutes > 0) return FormatNumbers(texts.mins, {minutes, seconds});
  return FormatNumbers(texts.secs, {seconds});
}

float OverallPercent(const ProgressInput& input) {
  static const std::vector<uint32_t> kNone;
  const auto& download = input.downloadWeights ? *input.downloadWeights : kNone;
  const auto& install = input.installWeights ? *input.installWeights : kNone;
  const auto index = static_cast<uint32_t>(input.itemIndex);
  const auto percent = static_cast<float>(input.itemPercent);
  switch (input.state) {
    case kDownloading:
      return download.empty() ? 0.0f : WeightedPercent(download, index, percent) * 0.5f;
    case kInstalling: {
      if (install.empty()) return 0.0f;
      const float value = WeightedPercent(install, index, percent);
      return download.empty() ? value : value * 0.5f + 50.0f;
    }
    case kFinished:
      return 100.0f;
    default:
      return 0.0f;
  }
}

ProgressSnapshot ComputeSnapshot(const ProgressInput& input, const ProgressTexts& texts,
                                 uint32_t nowTick, uint32_t& startTick) {
  ProgressSnapshot snap;
  snap.state = input.state;
  snap.percent = OverallPercent(input);
  snap.statusText = StatusTextFor(input.state, texts);

  const bool downloads = input.downloadWeights && !input.downloadWeights->empty();
  float phase = snap.percent;
  if (input.state == kDownloading) {
    phase = snap.percent * 2.0f;
  } else if (input.state == kInstalling && downloads) {
    phase = (snap.percent - 50.0f) * 2.0f;
  }

  // A transfer waiting to be tried again says so; no estimate holds then.
  if (input.state == kDownloading && input.retryInSeconds > 0) {
    if (startTick == 0) startTick = nowTick;
    snap.statusText = FormatNumbers(texts.retrying, {input.retryInSeconds});
    snap.timeText = texts.calculating;
    return snap;
  }
  if (startTick == 0) {
    startTick = nowTick;
    snap.timeText = phase > 0.0f ? FormatRemaining(1000, texts) : texts.calculating;
    return snap;
  }
  if (!(phase > 0.0f)) {
    snap.timeText = texts.calculating;
    return snap;
  }
  const uint32_t elapsed = nowTick - startTick;
  const float estimated = static_cast<float>(elapsed) / (phase / 100.0f);
  // An estimate beyond the 32-bit range (a tiny phase after a long wait)
  // saturates: converting it would be undefined, and wrapping it would show a
  // short time for a long one.
  const uint32_t estimatedTotal =
      estimated >= 4294967295.0f ? 0xFFFFFFFFu : static_cast<uint32_t>(estimated);
  const uint32_t remaining = estimatedTotal - elapsed;
  snap.timeText = FormatRemaining(remaining != 0 ? remaining : 1000, texts);
  return snap;
}

}  // namespace vwi
