#include "platform/win/win_system_services.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/win/elevation.h"
#include "platform/win/reparse_point.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// Owned by Administrators; Administrators and the system may do anything,
// signed-in users may read and run. Protected: nothing is inherited from the
// folder above, where the user (and any program of theirs) may write.
constexpr wchar_t kAdministratorsOnly[] =
    L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

// A security descriptor freed with LocalFree.
struct LocalDescriptor {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  LocalDescriptor() {
    ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1,
                                                         &descriptor, nullptr);
  }
  ~LocalDescriptor() { LocalFree(descriptor); }
  LocalDescriptor(const LocalDescriptor&) = delete;
  LocalDescriptor& operator=(const LocalDescriptor&) = delete;
};

}  // namespace

std::optional<std::u16string> WinSystemServices::ProgramPath() {
  wchar_t buffer[512];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, 512);
  // A full buffer means the path was cut short: treat it as unavailable.
  if (length == 0 || length >= 512) return std::nullopt;
  return FromWide(std::wstring_view(buffer, length));
}

std::u16string WinSystemServices::TempFolder() {
  wchar_t buffer[261];
  const DWORD length = GetTempPathW(261, buffer);
  if (length == 0 || length >= 261) return {};
  return FromWide(std::wstring_view(buffer, length));
}

bool WinSystemServices::PathExists(const std::u16string& path) {
  return PathFileExistsW(Wide(path)) != FALSE;
}

bool WinSystemServices::RemoveEmptyFolder(const std::u16string& path) {
  return RemoveDirectoryW(Wide(path)) != FALSE;
}

bool WinSystemServices::CreateFolderTree(const std::u16string& path) {
  return SHCreateDirectory(nullptr, Wide(path)) == ERROR_SUCCESS;
}

bool WinSystemServices::ProtectFolder(const std::u16string& path) {
  if (!IsProcessElevated() || IsReparsePoint(path)) return true;
  LocalDescriptor sd;
  if (!sd.descriptor) return false;
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  if (!GetSecurityDescriptorDacl(sd.descriptor, &present, &dacl, &defaulted) ||
      !GetSecurityDescriptorOwner(sd.descriptor, &owner, &defaulted)) {
    return false;
  }
  // The owner too: an owner may always rewrite the access list.
  std::u16string name = path;
  return SetNamedSecurityInfoW(reinterpret_cast<wchar_t*>(name.data()), SE_FILE_OBJECT,
                               OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                   PROTECTED_DACL_SECURITY_INFORMATION,
                               owner, nullptr, dacl, nullptr) == ERROR_SUCCESS;
}

bool WinSystemServices::CreateNewFolder(const std::u16string& path) {
  if (!IsProcessElevated()) return CreateDirectoryW(Wide(path), nullptr) != FALSE;
  LocalDescriptor sd;
  if (!sd.descriptor) return false;
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), sd.descriptor, FALSE};
  return CreateDirectoryW(Wide(path), &attributes) != FALSE;
}

uint32_t WinSystemServices::TickCount() { return GetTickCount(); }

}  // namespace vwi
