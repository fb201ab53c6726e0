// What the installation worker does on the machine, step by step. The
// worker decides the order, the states and the cancellation; these steps
// carry each part out (the Windows Installer, processes, the registry, the
// server) and native tests replace them.
#pragma once

#include <string>

#include "download/download_control.h"
#include "install/install_item.h"

namespace vwi {

class InstallWorker;

class IInstallSteps {
 public:
  virtual ~IInstallSteps() = default;

  // When the worker is made: creates its two events (cancel not signalled,
  // run signalled) in its control record, so that the close question can
  // pause a download from the first moment.
  virtual void CreateEvents(InstallWorker& worker) = 0;
  // Before the thread starts: fills the worker's items (and the status's
  // weights) and opens the internet session.
  virtual void Prepare(InstallWorker& worker) = 0;
  // Sets both events so that a paused download sees the cancellation.
  virtual void SignalCancel(InstallWorker& worker) = 0;
  // Closes the events; called once, when the worker goes (after its thread).
  virtual void Release(InstallWorker& worker) = 0;

  // The worker thread's steps, in order.
  virtual bool RecheckVersion(InstallWorker& worker) = 0;
  virtual bool DownloadItems(InstallWorker& worker) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual bool InstallPackage(InstallWorker& worker, const InstallItem& item) = 0;
  virtual bool RunProgram(InstallWorker& worker, const InstallItem& item) = 0;
  virtual void ApplyPostInstallSettings(InstallWorker& worker) = 0;
  // Hands the captured home page to the installer context.
  virtual void PublishHomepage(const std::u16string& homepageUrl) = 0;
  // The box that tells the user why the downloads failed (DownloadFailureText).
  virtual void ShowDownloadFailure(const DownloadControl& control) = 0;
};

}  // namespace vwi
