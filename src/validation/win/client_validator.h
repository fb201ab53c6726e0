// The client validator: the small modal window that, before the wizard,
// makes sure this installer may run.
#pragma once

#include <cstdint>
#include <string>

#include "validation/version_check.h"

namespace vwi {

class CClientValidator {
 public:
  CClientValidator();
  ~CClientValidator();
  CClientValidator(const CClientValidator&) = delete;
  CClientValidator& operator=(const CClientValidator&) = delete;

  // Runs the check modally; afterwards `outcome` tells start-up what to do.
  void RunModal(InstallerContext& context, AppFlags& flags);

  std::u16string updaterPath;
  int32_t downloadResult = 0;
  // What start-up does next: a ValidationOutcome.
  int32_t outcome = static_cast<int32_t>(ValidationOutcome::Proceed);
};

}  // namespace vwi
