#include "install/install_texts.h"

#include "download/progress.h"

namespace vwi {

std::u16string DownloadFailureText(const InstallTexts& texts, const DownloadControl& control) {
  if (control.failureCause == FailureCause::PayloadIntegrity && !control.failedItem.empty()) {
    return FormatWithName(texts.payloadDamaged, control.failedItem);
  }
  return texts.connectDownloadServer;
}

}  // namespace vwi
