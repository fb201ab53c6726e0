#include "context/work_folders.h"

#include <iterator>
#include <optional>

#include "platform/folder_trust.h"
#include "platform/paths.h"
#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {
namespace {

constexpr std::u16string_view kKindNames[] = {u"component", u"msi", u"transform"};
constexpr std::u16string_view kRunPrefix = u"run-";
constexpr std::u16string_view kCacheName = u"cache";
constexpr uint32_t kNameAttempts = 100;
constexpr int kPlaceNames = 10;

size_t Index(WorkFolder kind) { return static_cast<size_t>(kind); }

std::u16string_view RefusalText(HoldRefusal refusal) {
  constexpr std::u16string_view kTexts[] = {u"held", u"missing", u"a link", u"not a folder",
                                            u"in use or not accessible"};
  static_assert(std::size(kTexts) == static_cast<size_t>(HoldRefusal::Busy) + 1);
  return NameIn(kTexts, refusal);
}

std::u16string Joined(const IHeldFolder& parent, std::u16string_view name) {
  return parent.Path() + std::u16string(name);
}

// A new folder of this run's: `prefix` and the first free number from `tick`
// on (signed, as the temporary folders' names have always shown it).
std::unique_ptr<IHeldFolder> MakeNumbered(IHeldFolder& parent, std::u16string_view prefix,
                                          uint32_t tick, bool signedNumber, std::u16string& name) {
  for (uint32_t attempt = 0; attempt < kNameAttempts; ++attempt) {
    const uint32_t number = tick + attempt;
    name = std::u16string(prefix) +
           DecimalText(signedNumber ? static_cast<int64_t>(static_cast<int32_t>(number))
                                    : static_cast<int64_t>(number));
    if (std::unique_ptr<IHeldFolder> folder = parent.MakeFolder(name)) return folder;
  }
  return nullptr;
}

// Renames what `name` holds out of the way; it is never opened or followed.
bool MoveAside(IHeldFolder& parent, std::u16string_view name, uint32_t tick) {
  for (uint32_t attempt = 0; attempt < kNameAttempts; ++attempt) {
    const uint32_t number = tick + attempt;  // wraps as the tick count does
    const std::u16string aside = std::u16string(name) + u".untrusted-" + DecimalText(number);
    if (parent.Rename(name, aside)) return true;
  }
  return false;
}

void LogUnused(const std::u16string& path, std::u16string_view why, bool movedAside) {
  LogLine(u"The folder " + path + u" is not used: " + std::u16string(why) +
          (movedAside ? u"; it was moved aside" : u"; it cannot be moved aside"));
}

struct Candidate {
  std::unique_ptr<IHeldFolder> folder;
  std::unique_ptr<IHeldFolder> run;
  std::u16string runName;
  bool descriptorsKept = false;
};

enum class PlaceEnd { Found, MovedAside, Unusable };

// The place under `name` with this run's folder made in it. A folder there
// that anybody else could change, or anything else under the name, is moved
// aside (never opened or followed) and the name is free for the next try.
PlaceEnd TryPlace(IHeldFolder& base, std::u16string_view name, uint32_t tick, Candidate& place) {
  FolderHold existing = base.OpenFolder(name);
  const bool made = existing.refusal == HoldRefusal::Missing;
  place.folder = made ? base.MakeFolder(name) : std::move(existing.folder);
  const std::u16string path = Joined(base, name);
  if (!place.folder) {
    if (made) {
      LogLine(u"The work folder " + path + u" cannot be made");
      return PlaceEnd::Unusable;
    }
    const bool moved = MoveAside(base, name, tick);
    LogUnused(path, RefusalText(existing.refusal), moved);
    return moved ? PlaceEnd::MovedAside : PlaceEnd::Unusable;
  }
  place.run = MakeNumbered(*place.folder, kRunPrefix, tick, false, place.runName);
  if (!place.run) {
    LogLine(u"No folder for this run can be made in " + path);
    return PlaceEnd::Unusable;
  }
  // This run's own folder shows whether the file system keeps the owner it
  // was given; only then does a found folder's descriptor tell anything.
  place.descriptorsKept = KeepsDescriptors(place.run->Facts());
  if (made) return PlaceEnd::Found;
  const FolderTrust trust = JudgeFolder(place.folder->Facts(), place.descriptorsKept);
  if (trust == FolderTrust::Trusted) return PlaceEnd::Found;
  place.run.reset();
  place.folder->Remove(place.runName);
  place.folder.reset();
  const bool moved = MoveAside(base, name, tick);
  LogUnused(path, FolderTrustText(trust), moved);
  return moved ? PlaceEnd::MovedAside : PlaceEnd::Unusable;
}

// An existing subfolder nobody else may change, or a new one in its place:
// anything else under the name is removed (a link as itself).
std::unique_ptr<IHeldFolder> OpenTrustedOrMake(IHeldFolder& parent, std::u16string_view name,
                                               bool descriptorsKept) {
  FolderHold existing = parent.OpenFolder(name);
  if (existing.folder) {
    const FolderTrust trust = JudgeFolder(existing.folder->Facts(), descriptorsKept);
    if (trust == FolderTrust::Trusted) return std::move(existing.folder);
    LogLine(u"The folder " + Joined(parent, name) + u" is removed: " +
            std::u16string(FolderTrustText(trust)));
    existing.folder.reset();
  }
  if (existing.refusal != HoldRefusal::Missing) parent.Remove(name);
  return parent.MakeFolder(name);
}

}  // namespace

std::u16string_view WorkFolderName(WorkFolder folder) { return NameIn(kKindNames, folder); }

WorkFolders::WorkFolders(WorkFolders&&) noexcept = default;
WorkFolders& WorkFolders::operator=(WorkFolders&&) noexcept = default;
WorkFolders::~WorkFolders() = default;

bool WorkFolders::Prepare(ISystemServices& system, const std::u16string& programFolder,
                          bool standalone) {
  tick_ = system.TickCount();
  protected_ = system.IsElevated();
  return protected_ ? PrepareProtected(system, programFolder, standalone)
                    : PrepareBeside(system, programFolder, standalone);
}

bool WorkFolders::PrepareBeside(ISystemServices& system, const std::u16string& programFolder,
                                bool standalone) {
  place_ = programFolder;
  for (size_t i = 0; i < kKinds; ++i) {
    const std::u16string path = programFolder + u"\\" + std::u16string(kKindNames[i]);
    const bool component = i == Index(WorkFolder::Component);
    // A standalone package brings its components in that folder: it is left
    // alone. Otherwise the component folder starts empty when it can.
    if (!(component && standalone)) {
      if (component && system.PathExists(path + u"\\")) system.RemoveEmptyFolder(path + u"\\");
      if (!system.PathExists(path + u"\\") && !system.CreateFolderTree(path + u"\\")) {
        LogLine(u"The work folder " + path + u" cannot be made");
        return false;
      }
    }
    FolderHold held = system.OpenFolder(path);
    if (!held.folder) {
      if (component && standalone && held.refusal == HoldRefusal::Missing) continue;
      LogLine(u"The work folder " + path + u" cannot be used: " +
              std::u16string(RefusalText(held.refusal)));
      return false;
    }
    folders_[i] = std::move(held.folder);
  }
  return true;
}

bool WorkFolders::PrepareProtected(ISystemServices& system, const std::u16string& programFolder,
                                   bool standalone) {
  const std::u16string programData = WithoutTrailingBackslash(system.ProgramDataFolder());
  place_ = programData + u"\\" + std::u16string(kProtectedPlaceName);
  FolderHold base = system.OpenFolder(programData);
  if (programData.empty() || !base.folder) {
    LogLine(u"The machine's program data folder " + programData + u" cannot be used");
    return false;
  }
  for (int attempt = 0; attempt < kPlaceNames; ++attempt) {
    std::u16string name(kProtectedPlaceName);
    if (attempt > 0) name += u" " + DecimalText(attempt + 1);
    Candidate place;
    PlaceEnd end = TryPlace(*base.folder, name, tick_, place);
    if (end == PlaceEnd::MovedAside) end = TryPlace(*base.folder, name, tick_, place);
    if (end != PlaceEnd::Found) continue;
    place_ = Joined(*base.folder, name);
    return AdoptPlace(std::move(place.folder), std::move(place.run), std::move(place.runName),
                      place.descriptorsKept) &&
           (!standalone || OpenShipped(system, programFolder));
  }
  return false;
}

bool WorkFolders::AdoptPlace(std::unique_ptr<IHeldFolder> place, std::unique_ptr<IHeldFolder> run,
                             std::u16string runName, bool descriptorsKept) {
  placeFolder_ = std::move(place);
  run_ = std::move(run);
  runName_ = std::move(runName);
  for (size_t i = 0; i < kKinds; ++i) {
    folders_[i] = run_->MakeFolder(kKindNames[i]);
    if (!folders_[i]) {
      LogLine(u"The work folder " + Joined(*run_, kKindNames[i]) + u" cannot be made");
      return false;
    }
  }
  // Without a cache nothing is reused: the run goes on all the same.
  if (std::unique_ptr<IHeldFolder> cache =
          OpenTrustedOrMake(*placeFolder_, kCacheName, descriptorsKept)) {
    for (const WorkFolder kind : {WorkFolder::Msi, WorkFolder::Transform}) {
      cache_[Index(kind)] = OpenTrustedOrMake(*cache, kKindNames[Index(kind)], descriptorsKept);
    }
  }
  SweepEarlierRuns();
  LogLine(u"Work folders: " + run_->Path());
  return true;
}

bool WorkFolders::OpenShipped(ISystemServices& system, const std::u16string& programFolder) {
  for (size_t i = 0; i < kKinds; ++i) {
    const std::u16string path = programFolder + u"\\" + std::u16string(kKindNames[i]);
    FolderHold held = system.OpenFolder(path);
    if (held.folder) {
      shipped_[i] = std::move(held.folder);
    } else if (held.refusal != HoldRefusal::Missing) {
      LogLine(u"The folder " + path + u" cannot be used: " +
              std::u16string(RefusalText(held.refusal)));
      return false;
    }
  }
  return true;
}

void WorkFolders::SweepEarlierRuns() {
  // What an earlier run could not remove (a program it started was still
  // running, or it ended without its Finish) goes now.
  for (const std::u16string& name : placeFolder_->Names()) {
    if (name.starts_with(kRunPrefix) && name != runName_) placeFolder_->Remove(name);
  }
}

IHeldFolder* WorkFolders::Folder(WorkFolder kind) const { return folders_[Index(kind)].get(); }

std::u16string WorkFolders::Path(WorkFolder kind) const {
  const IHeldFolder* folder = Folder(kind);
  return folder ? folder->Path() : std::u16string();
}

IHeldFolder* WorkFolders::Shipped(WorkFolder kind) const {
  return protected_ ? shipped_[Index(kind)].get() : Folder(kind);
}

std::unique_ptr<IHeldFolder> WorkFolders::MakeUpdaterFolder(ISystemServices& system) const {
  std::u16string name;
  if (protected_) {
    return run_ ? MakeNumbered(*run_, u"updater-", system.TickCount(), false, name) : nullptr;
  }
  const std::u16string temp = WithoutTrailingBackslash(system.TempFolder());
  if (temp.empty()) return nullptr;
  FolderHold parent = system.OpenFolder(temp);
  if (!parent.folder) return nullptr;
  // A folder that exists already is never used: another program may have
  // made it, and may hold files or links in it.
  return MakeNumbered(*parent.folder, u"VrelWebInstaller_", system.TickCount(), true, name);
}

void WorkFolders::KeepForReuse(WorkFolder kind, std::u16string name) {
  if (protected_) kept_.push_back({kind, std::move(name)});
}

bool WorkFolders::BringBackKept(WorkFolder kind, std::u16string_view name) {
  const size_t i = Index(kind);
  if (!protected_) return true;
  return cache_[i] && folders_[i] && cache_[i]->MoveInto(name, *folders_[i]);
}

void WorkFolders::Finish() {
  for (const Kept& kept : kept_) {
    const size_t i = Index(kept.kind);
    if (cache_[i] && folders_[i]) folders_[i]->MoveInto(kept.name, *cache_[i]);
  }
  kept_.clear();
  for (auto* list : {&folders_, &shipped_, &cache_}) {
    for (std::unique_ptr<IHeldFolder>& folder : *list) folder.reset();
  }
  if (!run_) return;
  run_.reset();
  placeFolder_->Remove(runName_);
  placeFolder_.reset();
}

}  // namespace vwi
