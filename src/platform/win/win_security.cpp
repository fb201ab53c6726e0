#include "platform/win/win_security.h"

#include <aclapi.h>
#include <sddl.h>

namespace vwi {
namespace {

constexpr wchar_t kAdministratorsOnly[] =
    L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

// The rights that let a trustee change what a folder holds or who may.
constexpr ACCESS_MASK kChangingRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD |
                                        DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                        GENERIC_ALL | MAXIMUM_ALLOWED;

constexpr wchar_t kTrustedInstaller[] =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

Trustee TrusteeOf(PSID sid) {
  if (IsWellKnownSid(sid, WinLocalSystemSid)) return Trustee::System;
  if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) return Trustee::Administrators;
  PSID installer = nullptr;
  bool isInstaller = false;
  if (ConvertStringSidToSidW(kTrustedInstaller, &installer)) {
    isInstaller = EqualSid(sid, installer) != FALSE;
    LocalFree(installer);
  }
  return isInstaller ? Trustee::Installer : Trustee::Other;
}

// An entry as the check sees it. Entry kinds other than the plain and the
// callback ones (whose layouts are the plain one's) are taken as allowing
// anyone anything: nothing the check cannot read counts in its favour.
AccessEntry EntryOf(const ACE_HEADER* header) {
  AccessEntry entry;
  switch (header->AceType) {
    case ACCESS_ALLOWED_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
    case ACCESS_DENIED_ACE_TYPE:
    case ACCESS_DENIED_CALLBACK_ACE_TYPE: {
      const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
      entry.allows = header->AceType == ACCESS_ALLOWED_ACE_TYPE ||
                     header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
      entry.mask = ace->Mask;
      entry.trustee = TrusteeOf(const_cast<DWORD*>(&ace->SidStart));
      entry.changes = (ace->Mask & kChangingRights) != 0;
      return entry;
    }
    case SYSTEM_AUDIT_ACE_TYPE:
    case SYSTEM_ALARM_ACE_TYPE:
    case SYSTEM_MANDATORY_LABEL_ACE_TYPE:
      entry.allows = false;
      return entry;
    default:
      entry.changes = true;
      return entry;
  }
}

}  // namespace

ProtectedDescriptor::ProtectedDescriptor() {
  ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1,
                                                       &descriptor_, nullptr);
}

ProtectedDescriptor::~ProtectedDescriptor() { LocalFree(descriptor_); }

void ReadSecurity(HANDLE handle, FolderFacts& facts) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(handle, SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                      &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return;
  }
  if (owner) facts.owner = TrusteeOf(owner);
  facts.noAccessList = dacl == nullptr;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (GetAce(dacl, i, &ace)) facts.access.push_back(EntryOf(static_cast<ACE_HEADER*>(ace)));
  }
  LocalFree(descriptor);
}

}  // namespace vwi
