// What the user is told when the installer cannot set itself up: a context
// that failed to initialise ends the run with a message instead of showing a
// wizard that works on empty data.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

class InstallerContext;

struct StartupFailureMessage {
  std::u16string text;
  std::u16string caption;
};

// The caption of start-up's own message boxes: the product's short name when
// the manifest gave one, else the installer's name.
std::u16string StartupCaption(const InstallerContext& context);

// The message for a non-zero code of InstallerContext::Initialise.
StartupFailureMessage DescribeStartupFailure(int32_t code, const InstallerContext& context);

}  // namespace vwi
