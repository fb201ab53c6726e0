#include "controls/slide_show_timing.h"

#include <cmath>

namespace vwi {

std::vector<SlideDraw> PlaceSlides(double seconds, const SlideTiming& timing,
                                   const std::vector<Size>& slides, Rect area) {
  std::vector<SlideDraw> draws;
  if (slides.empty()) return draws;
  const double cycle = timing.displaySeconds + timing.transitionSeconds;
  const double k = cycle > 0 ? std::floor(seconds / cycle) : 0;
  const double phase = seconds - k * cycle;
  const int count = static_cast<int>(slides.size());
  const int current = static_cast<int>(std::fmod(k, count));
  const int aw = area.Width(), ah = area.Height();
  const Size& now = slides[current];
  const Point still{(aw - now.width) / 2, (ah - now.height) / 2};

  if (phase <= timing.displaySeconds || count == 1 || timing.transitionSeconds <= 0) {
    draws.push_back({current, still});
    return draws;
  }
  const float x = static_cast<float>((phase - timing.displaySeconds) / timing.transitionSeconds);
  const int offset = static_cast<int>(static_cast<float>(aw) * x);
  const int next = current + 1 < count ? current + 1 : 0;
  const Size& incoming = slides[next];
  draws.push_back({current, {still.x - offset, still.y}});
  draws.push_back(
      {next,
       {area.right + (aw - incoming.width) / 2 - area.left - offset, (ah - incoming.height) / 2}});
  return draws;
}

}  // namespace vwi
