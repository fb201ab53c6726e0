// Where the steps of an installation report how far they are: the shared
// status, which the status panel reads once a second.
#pragma once

#include <cstdint>
#include <string>

#include "install/install_state.h"

namespace vwi {

class IInstallProgress {
 public:
  virtual ~IInstallProgress() = default;
  // The item at `itemIndex` (its position among the items of the phase) is
  // at `percent`; false when the report was ignored (the run has ended).
  virtual bool ReportStatus(InstallState state, int32_t itemIndex, int32_t percent,
                            std::u16string itemText) = 0;
  // A download waits `seconds` before it is tried again.
  virtual void ReportRetryWait(uint32_t seconds) = 0;
};

}  // namespace vwi
