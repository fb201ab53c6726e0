#include "validation/win/client_validator.h"

namespace vwi {

CClientValidator::CClientValidator() = default;
CClientValidator::~CClientValidator() = default;

void CClientValidator::RunModal(InstallerContext&, AppFlags&) {
  // The window and its version check come with the validator itself; until
  // then every run proceeds to the wizard.
  outcome = static_cast<int32_t>(ValidationOutcome::Proceed);
}

}  // namespace vwi
