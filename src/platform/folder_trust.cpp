#include "platform/folder_trust.h"

#include <iterator>

#include "platform/text.h"

namespace vwi {
namespace {

bool IsTrusted(Trustee trustee) { return trustee != Trustee::Other; }

}  // namespace

FolderTrust JudgeFolder(const FolderFacts& facts, bool descriptorsKept) {
  if (facts.isLink) return FolderTrust::Link;
  if (!facts.isFolder) return FolderTrust::NotAFolder;
  if (!descriptorsKept) return FolderTrust::Trusted;
  if (!facts.owner) return FolderTrust::Unreadable;
  // An owner may always rewrite the access list, whatever it says now.
  if (!IsTrusted(*facts.owner)) return FolderTrust::UntrustedOwner;
  if (facts.noAccessList) return FolderTrust::OthersMayChange;
  for (const AccessEntry& entry : facts.access) {
    if (entry.allows && entry.changes && !IsTrusted(entry.trustee)) {
      return FolderTrust::OthersMayChange;
    }
  }
  return FolderTrust::Trusted;
}

bool KeepsDescriptors(const FolderFacts& madeByThisRun) {
  return madeByThisRun.owner == Trustee::Administrators;
}

std::u16string_view FolderTrustText(FolderTrust trust) {
  constexpr std::u16string_view kTexts[] = {
      u"trusted",
      u"a link",
      u"not a folder",
      u"its security descriptor cannot be read",
      u"owned by someone other than the system or the Administrators",
      u"others may change it"};
  static_assert(std::size(kTexts) == static_cast<size_t>(FolderTrust::OthersMayChange) + 1);
  return NameIn(kTexts, trust);
}

}  // namespace vwi
