// Before installing: the product's programs that would hold files the
// installer replaces, found by the named semaphores they create at start.
#pragma once

#include <span>
#include <string_view>

#include "platform/message_box.h"

namespace vwi {

// A running-application probe: the semaphore the program creates while it
// runs and the name the user knows it by.
struct RunningAppProbe {
  std::u16string_view semaphoreName;
  std::u16string_view shownName;
};

// The product's programs: the Vimzee Home application and its Tandor
// companion (vrelTandor2.exe), each of which holds its single-instance
// semaphore for as long as it runs.
std::span<const RunningAppProbe> RunningAppProbes();

class ISemaphoreProbe {
 public:
  virtual ~ISemaphoreProbe() = default;
  // True when a semaphore of that name exists now.
  virtual bool Exists(std::u16string_view name) = 0;
};

// Asks the user to close the running programs until none runs (true) or the
// user chooses Cancel (false). `introText` is the catalogue's request to
// close them; the box lists the programs below it.
bool CheckRunningApps(std::u16string_view caption, std::u16string_view introText,
                      std::span<const RunningAppProbe> probes, ISemaphoreProbe& semaphores,
                      IMessageBox& box);

}  // namespace vwi
