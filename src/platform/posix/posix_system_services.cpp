#include "platform/posix/posix_system_services.h"

#include <filesystem>
#include <system_error>

#include "platform/posix/native_path.h"
#include "platform/posix/posix_held_folder.h"

namespace vwi {

PosixSystemServices::PosixSystemServices(std::optional<std::u16string> programPath,
                                         std::u16string tempFolder)
    : programPath_(std::move(programPath)), tempFolder_(std::move(tempFolder)) {}

bool PosixSystemServices::PathExists(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::exists(NativePath(path), error);
}

bool PosixSystemServices::IsFolder(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::is_directory(NativePath(path), error);
}

bool PosixSystemServices::CreateFolder(const std::u16string& path) {
  if (path.size() > maxPath_) return false;
  std::error_code error;
  return std::filesystem::create_directory(NativePath(path), error) && !error;
}

bool PosixSystemServices::RemoveEmptyFolder(const std::u16string& path) {
  std::error_code error;
  const std::filesystem::path local(NativePath(path));
  if (!std::filesystem::is_directory(local, error) || !std::filesystem::is_empty(local, error)) {
    return false;
  }
  return std::filesystem::remove(local, error);
}

bool PosixSystemServices::CreateFolderTree(const std::u16string& path) {
  if (path.size() > maxPath_) return false;
  std::error_code error;
  std::filesystem::create_directories(NativePath(path), error);
  return !error && std::filesystem::is_directory(NativePath(path), error);
}

FolderHold PosixSystemServices::OpenFolder(const std::u16string& path) {
  if (path.size() > maxPath_) return {nullptr, HoldRefusal::Missing};
  return OpenPosixHeldFolder(path, elevated_);
}

}  // namespace vwi
