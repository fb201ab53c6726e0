// The keys of the user-interface texts, each with its built-in English
// default. A lookup returns the current language's text for a key, or the
// default when the language file or the key is missing.
#pragma once

#include <string_view>

namespace vwi {

struct StringKey {
  std::u16string_view key;
  std::u16string_view defaultText;
};

// Texts of section "UISTRING". Placeholders (filled with FormatUiString):
// IDS_PRODUCT_READY %s (short name), IDS_LAUNCH_APP %s (full name),
// IDS_ERR_INSTALLED_ALREADY %s (short name), IDS_ERR_CREATE_FOLDER_FAILED %s
// (folder), IDS_ERR_OUT_OF_DISK %s (megabytes), IDS_ERR_PAYLOAD_DAMAGED %s
// (the package's name), IDS_ERR_SERVER_REFUSED %d (HTTP status), IDS_PROXY_SIGN_IN
// %s (the proxy), IDS_ERR_PROGRAM_FAILED %s %d
// (the program's name and exit code),
// IDS_STATUS_RETRYING %d (seconds), IDS_TIME_REMAINING_HOURS
// %02d x3, IDS_TIME_REMAINING_MINS %02d x2, IDS_TIME_REMAINING_SECS %02d.
inline constexpr StringKey IDS_INSTALL{u"IDS_INSTALL", u"Install"};
inline constexpr StringKey IDS_STATUS_INIT{u"IDS_STATUS_INIT", u"Initializing..."};
inline constexpr StringKey IDS_STATUS_CANCELLING{u"IDS_STATUS_CANCELLING", u"Cancelling..."};
inline constexpr StringKey IDS_STATUS_DOWNLOADING{u"IDS_STATUS_DOWNLOADING",
                                                  u"Downloading, please wait..."};
inline constexpr StringKey IDS_STATUS_INSTALLING{u"IDS_STATUS_INSTALLING",
                                                 u"Installing, please wait..."};
inline constexpr StringKey IDS_STATUS_RETRYING{
    u"IDS_STATUS_RETRYING", u"Connection interrupted. Retrying in %d seconds..."};
inline constexpr StringKey IDS_STATUS_WAITING_FOR_INSTALLER{
    u"IDS_STATUS_WAITING_FOR_INSTALLER", u"Waiting for another installation to finish..."};
inline constexpr StringKey IDS_STATUS_FINISHED{u"IDS_STATUS_FINISHED", u"Finished."};
inline constexpr StringKey IDS_STATUS_INSTALL_FAILED{u"IDS_STATUS_INSTALL_FAILED",
                                                     u"Install failed."};
inline constexpr StringKey IDS_STATUS_CANCELLED{u"IDS_STATUS_CANCELLED", u"Cancelled."};
inline constexpr StringKey IDS_PRODUCT_READY{u"IDS_PRODUCT_READY", u"%s is ready"};
inline constexpr StringKey IDS_ACCEPT_LICENSE_TERMS{u"IDS_ACCEPT_LICENSE_TERMS", u"I accept the"};
inline constexpr StringKey IDS_LINK_LICENSE_TERMS{u"IDS_LINK_LICENSE_TERMS", u"License Terms"};
inline constexpr StringKey IDS_INSTALL_SETTINGS{u"IDS_INSTALL_SETTINGS", u"Installation settings"};
inline constexpr StringKey IDS_SELECT_LANG{u"IDS_SELECT_LANG", u"Please select a language:"};
inline constexpr StringKey IDS_INSTALL_FOLDER{u"IDS_INSTALL_FOLDER", u"Installation folder:"};
inline constexpr StringKey IDS_TEXT_CANCEL{u"IDS_TEXT_CANCEL", u"Cancel"};
inline constexpr StringKey IDS_MESSAGE_CANCELNOTICE{
    u"IDS_MESSAGE_CANCELNOTICE", u"Are you sure you want to cancel the installation?"};
inline constexpr StringKey IDS_START_NOW{u"IDS_START_NOW", u"Start Now"};
inline constexpr StringKey IDS_LAUNCH_APP{u"IDS_LAUNCH_APP", u"Launch %s"};
inline constexpr StringKey IDS_BROWSE_DEST_FOLDER{u"IDS_BROWSE_DEST_FOLDER",
                                                  u"Browse to the destination folder."};
inline constexpr StringKey IDS_PREPARING{u"IDS_PREPARING", u"Preparing..."};
inline constexpr StringKey IDS_CALC_TIME_REMAINING{u"IDS_CALC_TIME_REMAINING",
                                                   u"Calculating time remaining..."};
inline constexpr StringKey IDS_TIME_REMAINING_HOURS{u"IDS_TIME_REMAINING_HOURS",
                                                    u"%02d hours %02d mins %02d secs remaining..."};
inline constexpr StringKey IDS_TIME_REMAINING_MINS{u"IDS_TIME_REMAINING_MINS",
                                                   u"%02d mins %02d secs remaining..."};
inline constexpr StringKey IDS_TIME_REMAINING_SECS{u"IDS_TIME_REMAINING_SECS",
                                                   u"%02d secs remaining..."};
inline constexpr StringKey IDS_FILE_ASSOCIATION{u"IDS_FILE_ASSOCIATION", u"Associate with:"};
inline constexpr StringKey IDS_FILE_ASSOCIATE_ALL{u"IDS_FILE_ASSOCIATE_ALL",
                                                  u"All supported image file types"};
inline constexpr StringKey IDS_FILE_ASSOCIATE_UNUSED{u"IDS_FILE_ASSOCIATE_UNUSED",
                                                     u"File types not currently used"};
inline constexpr StringKey IDS_FILE_ASSOCIATE_NONE{u"IDS_FILE_ASSOCIATE_NONE",
                                                   u"None of any file types"};
inline constexpr StringKey IDS_ERR_CAPTION{u"IDS_ERR_CAPTION", u"Error"};
inline constexpr StringKey IDS_ERR_INSTALLED_ALREADY{
    u"IDS_ERR_INSTALLED_ALREADY", u"%s is already installed. Would you like to launch it?"};
inline constexpr StringKey IDS_ERR_CLIENT_TOO_OLD{
    u"IDS_ERR_CLIENT_TOO_OLD",
    u"The version of your client is too old, please click \"OK\" to download the latest "
    u"client."};
inline constexpr StringKey IDS_ERR_OUT_OF_DISK{
    u"IDS_ERR_OUT_OF_DISK",
    u"The disk space required for the installation exceeds available disk space. Check that at "
    u"least %s MB of disk space is available and try again. For more information, please "
    u"contact Customer Care."};
inline constexpr StringKey IDS_ERR_CONNECT_DOWNLOAD_SERVER{
    u"IDS_ERR_CONNECT_DOWNLOAD_SERVER",
    u"Unable to contact the download server. Check your Internet connection and try again. If "
    u"the issue persists, please contact Customer Care."};
inline constexpr StringKey IDS_ERR_SERVER_NOT_FOUND{
    u"IDS_ERR_SERVER_NOT_FOUND",
    u"The download server's name could not be found. Check your Internet connection and try "
    u"again."};
inline constexpr StringKey IDS_ERR_SERVER_REFUSED{
    u"IDS_ERR_SERVER_REFUSED",
    u"The download server refused the download (HTTP status %d). Try again later. If the issue "
    u"persists, please contact Customer Care."};
inline constexpr StringKey IDS_ERR_PROXY_AUTHENTICATION{
    u"IDS_ERR_PROXY_AUTHENTICATION",
    u"The proxy server asks for a user name and password. Ask your administrator for them, "
    u"then try again."};
inline constexpr StringKey IDS_ERR_WEB_PAGE{
    u"IDS_ERR_WEB_PAGE",
    u"The network returned a web page instead of the download. If this network needs you to "
    u"sign in, open a web browser, sign in, and try again."};
inline constexpr StringKey IDS_ERR_CERT_DATES{
    u"IDS_ERR_CERT_DATES",
    u"The download server's certificate is not valid at this computer's date and time. Check "
    u"that the date and time are correct, then try again."};
inline constexpr StringKey IDS_ERR_CERT_AUTHORITY{
    u"IDS_ERR_CERT_AUTHORITY",
    u"The download server's certificate was issued by an authority this computer does not "
    u"trust. A network that inspects secure connections can cause this; ask your "
    u"administrator."};
inline constexpr StringKey IDS_ERR_CERT_NAME{
    u"IDS_ERR_CERT_NAME",
    u"The download server's certificate was issued for another name. Something between this "
    u"computer and the server answers in its place; ask your administrator."};
inline constexpr StringKey IDS_ERR_CERT_OTHER{
    u"IDS_ERR_CERT_OTHER",
    u"The download server's certificate was not accepted. Try again later. If the issue "
    u"persists, please contact Customer Care."};
inline constexpr StringKey IDS_ERR_DOWNLOAD_STALLED{
    u"IDS_ERR_DOWNLOAD_STALLED",
    u"The download stopped: nothing arrived from the server for a long time. Check your "
    u"Internet connection and try again."};
inline constexpr StringKey IDS_PROXY_SIGN_IN{
    u"IDS_PROXY_SIGN_IN",
    u"The proxy server %s asks for a user name and password to download the installation."};
inline constexpr StringKey IDS_RESTART_TO_FINISH{
    u"IDS_RESTART_TO_FINISH", u"Restart your computer to finish the installation."};
inline constexpr StringKey IDS_ERR_INSTALLER_BUSY{
    u"IDS_ERR_INSTALLER_BUSY",
    u"Another installation is in progress and did not finish in time. Wait until it has "
    u"finished, then try again."};
inline constexpr StringKey IDS_ERR_PROGRAM_FAILED{
    u"IDS_ERR_PROGRAM_FAILED",
    u"%s could not be installed (error %d), so nothing more was installed. Try again later. If "
    u"the issue persists, please contact Customer Care."};
inline constexpr StringKey IDS_ERR_PAYLOAD_DAMAGED{
    u"IDS_ERR_PAYLOAD_DAMAGED",
    u"The downloaded file %s is damaged or has been changed. It was deleted and nothing was "
    u"installed. Try again later. If the issue persists, please contact Customer Care."};
inline constexpr StringKey IDS_ERR_CREATE_FOLDER_FAILED{u"IDS_ERR_CREATE_FOLDER_FAILED",
                                                        u"The specified path %s is unavailable."};
inline constexpr StringKey IDS_CLOSE_RUNNING_APPS{
    u"IDS_CLOSE_RUNNING_APPS",
    u"The following applications should be closed before continuing the installation:"};

// Web addresses of section "RLINK" (the maker's short links).
inline constexpr StringKey IDS_RLINK_TERMS{u"IDS_RLINK_TERMS", u"https://go.orvanta.com/vzh-terms"};
inline constexpr StringKey IDS_RLINK_SLIDE_SHOW{u"IDS_RLINK_SLIDE_SHOW",
                                                u"https://go.orvanta.com/vzh-tour"};

// Every key of section "UISTRING", in catalogue order.
inline constexpr StringKey kAllUiStrings[] = {IDS_INSTALL,
                                              IDS_STATUS_INIT,
                                              IDS_STATUS_CANCELLING,
                                              IDS_STATUS_DOWNLOADING,
                                              IDS_STATUS_INSTALLING,
                                              IDS_STATUS_FINISHED,
                                              IDS_STATUS_INSTALL_FAILED,
                                              IDS_STATUS_CANCELLED,
                                              IDS_PRODUCT_READY,
                                              IDS_ACCEPT_LICENSE_TERMS,
                                              IDS_LINK_LICENSE_TERMS,
                                              IDS_INSTALL_SETTINGS,
                                              IDS_SELECT_LANG,
                                              IDS_INSTALL_FOLDER,
                                              IDS_TEXT_CANCEL,
                                              IDS_MESSAGE_CANCELNOTICE,
                                              IDS_START_NOW,
                                              IDS_LAUNCH_APP,
                                              IDS_BROWSE_DEST_FOLDER,
                                              IDS_PREPARING,
                                              IDS_CALC_TIME_REMAINING,
                                              IDS_TIME_REMAINING_HOURS,
                                              IDS_TIME_REMAINING_MINS,
                                              IDS_TIME_REMAINING_SECS,
                                              IDS_FILE_ASSOCIATION,
                                              IDS_FILE_ASSOCIATE_ALL,
                                              IDS_FILE_ASSOCIATE_UNUSED,
                                              IDS_FILE_ASSOCIATE_NONE,
                                              IDS_ERR_CAPTION,
                                              IDS_ERR_INSTALLED_ALREADY,
                                              IDS_ERR_CLIENT_TOO_OLD,
                                              IDS_ERR_OUT_OF_DISK,
                                              IDS_ERR_CONNECT_DOWNLOAD_SERVER,
                                              IDS_ERR_SERVER_NOT_FOUND,
                                              IDS_ERR_SERVER_REFUSED,
                                              IDS_ERR_PROXY_AUTHENTICATION,
                                              IDS_ERR_WEB_PAGE,
                                              IDS_ERR_CERT_DATES,
                                              IDS_ERR_CERT_AUTHORITY,
                                              IDS_ERR_CERT_NAME,
                                              IDS_ERR_CERT_OTHER,
                                              IDS_ERR_DOWNLOAD_STALLED,
                                              IDS_PROXY_SIGN_IN,
                                              IDS_ERR_PAYLOAD_DAMAGED,
                                              IDS_ERR_CREATE_FOLDER_FAILED,
                                              IDS_CLOSE_RUNNING_APPS,
                                              IDS_STATUS_RETRYING,
                                              IDS_STATUS_WAITING_FOR_INSTALLER,
                                              IDS_RESTART_TO_FINISH,
                                              IDS_ERR_INSTALLER_BUSY,
                                              IDS_ERR_PROGRAM_FAILED};

// Every key of section "RLINK".
inline constexpr StringKey kAllLinks[] = {IDS_RLINK_TERMS, IDS_RLINK_SLIDE_SHOW};

}  // namespace vwi
