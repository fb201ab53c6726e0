// The client validator: the small modal window that, before the wizard,
// makes sure this installer may run.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

class InstallerContext;
struct AppFlags;

// What start-up does after the validator has run.
enum ValidationOutcome : int32_t {
  kProceed = 0,   // go on to the wizard
  kStop = 1,      // end without the wizard; the user has been told why
  kHandOver = 2,  // a newer installer is at updaterPath: end and start it
};

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
  int32_t outcome = kProceed;
};

}  // namespace vwi
