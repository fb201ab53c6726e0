#include "install/catalogue_texts.h"

#include "localisation/ui_string_keys.h"

namespace vwi {

ProgressTexts ProgressTextsFrom(const UiStringCatalogue& strings) {
  ProgressTexts t;
  t.statusInit = strings.LookupUiString(IDS_STATUS_INIT);
  t.statusDownloading = strings.LookupUiString(IDS_STATUS_DOWNLOADING);
  t.statusInstalling = strings.LookupUiString(IDS_STATUS_INSTALLING);
  t.statusCancelling = strings.LookupUiString(IDS_STATUS_CANCELLING);
  t.statusFinished = strings.LookupUiString(IDS_STATUS_FINISHED);
  t.statusFailed = strings.LookupUiString(IDS_STATUS_INSTALL_FAILED);
  t.statusCancelled = strings.LookupUiString(IDS_STATUS_CANCELLED);
  t.retrying = strings.LookupUiString(IDS_STATUS_RETRYING);
  t.calculating = strings.LookupUiString(IDS_CALC_TIME_REMAINING);
  t.hours = strings.LookupUiString(IDS_TIME_REMAINING_HOURS);
  t.mins = strings.LookupUiString(IDS_TIME_REMAINING_MINS);
  t.secs = strings.LookupUiString(IDS_TIME_REMAINING_SECS);
  return t;
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
