// An offline layout: a distribution folder, made from the server, that
// installs with no network. It holds this installer, a standalone copy of
// its manifest, the language folders, and every package the manifest names
// (whatever this machine has installed) where a standalone manifest looks
// for it: prerequisites and language packs in "component", the main package
// in "msi", transforms in "transform". A folder with an earlier layout is
// checked, and only what is missing or differs is fetched again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "context/product_manifest.h"
#include "context/work_folders.h"
#include "download/download_checks.h"
#include "download/transfers.h"
#include "install/step_result.h"
#include "platform/system_services.h"

namespace vwi {

// One package of the layout.
struct LayoutEntry {
  std::u16string name;  // what the log calls it
  std::u16string url;
  WorkFolder folder = WorkFolder::Component;
  std::u16string fileName;  // its name in that folder
  std::optional<std::u16string> sha256;
};

// The packages, in the manifest's order: the dependencies, the main
// package, the transforms and the language packs; with `language`, only
// that language's transform and language pack.
std::vector<LayoutEntry> LayoutEntries(const ProductManifest& manifest,
                                       std::optional<int32_t> language);

// The language folders the layout carries (those named by a number): every
// one given, or with `language` only that one and English.
std::vector<std::u16string> LayoutLanguages(const std::vector<std::u16string>& available,
                                            std::optional<int32_t> language);

// The manifest's text with "standalone" true: the element's text is
// replaced, or the element added after "registry", as the reader expects it;
// every other byte stays. The text may be UTF-8 (with or without its mark)
// or UTF-16 with its mark. Nothing when there is neither a "standalone" nor
// a "registry" element.
std::optional<std::string> StandaloneManifest(std::string_view text);

struct LayoutRequest {
  std::u16string programFolder;  // this installer's folder: its config and language folders
  std::u16string programName;    // this installer's file name
  std::u16string manifestPath;   // the manifest in use
  std::u16string target;         // the layout's folder, absolute
  std::optional<int32_t> language;
};

struct LayoutServices {
  ISystemServices& system;
  ITransfers& transfers;
  DownloadChecks checks;
  ICancelRequest& cancel;
  TransferOptions options = {};
};

// Makes the layout. Its failure has the cause a download of the
// installation would have (DownloadFailed, PayloadIntegrity, DiskSpace), or
// PackageFailed when the folder or a file cannot be written.
StepResult MakeLayout(const LayoutRequest& request, const ProductManifest& manifest,
                      LayoutServices services);

}  // namespace vwi
