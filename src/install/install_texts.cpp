#include "install/install_texts.h"

#include "localisation/ui_text_format.h"

namespace vwi {

std::u16string DownloadFailureText(const InstallTexts& texts, const StepResult& failed) {
  if (failed.cause == FailureCause::PayloadIntegrity && !failed.failedItem.empty()) {
    return FormatTranslation(texts.payloadDamaged, IDS_ERR_PAYLOAD_DAMAGED, {failed.failedItem});
  }
  return texts.connectDownloadServer;
}

}  // namespace vwi
