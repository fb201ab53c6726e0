// The Windows Installer's progress messages and the item percentage made
// from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vwi {

// One progress message: "1: type 2: a 3: b 4: c".
struct ProgressMessage {
  int32_t type = 0;  // 0 reset, 1 action information, 2 report, 3 add to the total
  int32_t field2 = 0;
  int32_t field3 = 0;
  int32_t field4 = 0;
};

// Reads a progress text. Empty when the text must be ignored: no type, a
// type that is not a single digit, or a field number other than 1 to 4.
// Fields the text does not hold are 0.
std::optional<ProgressMessage> ParseProgressMessage(std::u16string_view text);

// The progress of the package being installed. Every reset starts a phase
// that fills only the part of the bar above what was already reached, so the
// bar never moves back within a package.
struct PackageProgress {
  int32_t maxPercent = 0;   // highest percentage reported; never decreases
  int32_t basePercent = 0;  // where the current phase started
  int32_t totalTicks = 0;   // 0 until a phase has been announced
  bool forward = true;
  int32_t position = 0;

  // Back to the state before the package's first message.
  void Reset() { *this = PackageProgress{}; }

  // Applies one message; returns the percentage to report (maxPercent) when
  // the message moved the position within an announced phase.
  std::optional<int32_t> Apply(const ProgressMessage& message);

 private:
  std::optional<int32_t> Advance(int32_t ticks);
};

}  // namespace vwi
