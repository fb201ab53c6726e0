// The box the wizard shows when an installation run has failed, chosen from
// the run's result and written in the wizard's language: the server that
// could not be reached, a package that differs from its digest, a volume
// too full, the last version check's refusal, a Windows Installer busy with
// another installation for too long, or a prerequisite that failed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "install/install_result.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

struct FailureBox {
  std::u16string text;
  std::u16string caption;
  uint32_t style = 0;  // message_box flags
};

// The box for `result`; nothing for a run that did not fail, or whose
// failure was told where it happened (a package's own error, the user's
// cancel). `shortName` is the product's, the usual caption.
std::optional<FailureBox> FailureBoxFor(const InstallResult& result,
                                        const UiStringCatalogue& strings,
                                        const std::u16string& shortName);

// Whether a silent run shows the box of `cause` all the same. The boxes of
// an unreachable server, a damaged download, a full volume and a refused
// version always showed; a busy Windows Installer and a failed prerequisite
// are told by the exit code and the log alone, so that a deployment tool's
// unattended run never waits for a click.
bool IsToldInSilentMode(FailureCause cause);

}  // namespace vwi
