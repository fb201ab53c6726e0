#include "install/catalogue_texts.h"

#include "localisation/ui_string_keys.h"

namespace vwi {

ProgressTexts ProgressTextsFrom(const UiStringCatalogue& strings) {
  ProgressTexts texts;
  for (const ProgressTextKey& entry : kProgressTextKeys) {
    texts.*entry.text = strings.LookupUiString(*entry.key);
  }
  return texts;
}

RecheckTexts RecheckTextsFrom(const UiStringCatalogue& strings) {
  RecheckTexts t;
  t.installedAlready = strings.LookupUiString(IDS_ERR_INSTALLED_ALREADY);
  t.clientTooOld = strings.LookupUiString(IDS_ERR_CLIENT_TOO_OLD);
  return t;
}

InstallTexts InstallTextsFrom(const UiStringCatalogue& strings) {
  InstallTexts t;
  t.connectDownloadServer = strings.LookupUiString(IDS_ERR_CONNECT_DOWNLOAD_SERVER);
  t.closeRunningApps = strings.LookupUiString(IDS_CLOSE_RUNNING_APPS);
  t.payloadDamaged = strings.LookupUiString(IDS_ERR_PAYLOAD_DAMAGED);
  return t;
}

}  // namespace vwi
