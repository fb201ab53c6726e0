// One entry of the installation's ordered item list: a package that is
// downloaded (unless it already lies beside the program) and then installed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "context/work_folders.h"

namespace vwi {

struct InstallItem {
  std::u16string name;         // display name, reported as the status's itemText
  std::u16string url;          // where the download phase fetches it from
  std::u16string localPath;    // the file the download writes and the install step uses
  std::u16string commandLine;  // arguments when the item is run as a program
  bool download = false;       // the download phase fetches the item
  bool runAsProgram = false;   // installed by running it, else as a Windows Installer package
  // The SHA-256 (hexadecimal) the file must match before it is used, when the
  // manifest gives one.
  std::optional<std::u16string> sha256{};
  // The work folder localPath lies in, and the file's name there.
  WorkFolder folder = WorkFolder::Component;
  std::u16string fileName{};
};

}  // namespace vwi
