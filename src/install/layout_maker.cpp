// The layout's files: this installer, its standalone manifest and language
// folders copied through held folders, the packages checked or fetched.
#include <vector>

#include "download/download_job.h"
#include "download/fetch_payload.h"
#include "download/payload_check.h"
#include "install/offline_layout.h"
#include "platform/held_copy.h"
#include "platform/paths.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/web_address.h"

namespace vwi {
namespace {

constexpr size_t kCopyPiece = 1 << 16;
constexpr uint64_t kLargestManifest = 4u << 20;  // a manifest is a few kilobytes

std::unique_ptr<IHeldFolder> OpenOrMake(IHeldFolder& parent, std::u16string_view name) {
  FolderHold held = parent.OpenFolder(name);
  if (held.folder) return std::move(held.folder);
  if (held.refusal != HoldRefusal::Missing) return nullptr;
  return parent.MakeFolder(name);
}

// Writes `bytes` as the file `name` of `folder`, replacing one there.
bool WriteFile(IHeldFolder& folder, std::u16string_view name, std::string_view bytes) {
  if (!folder.Remove(name)) return false;
  std::unique_ptr<INewFile> file = folder.MakeFile(name);
  return file && file->WriteAt(0, bytes.data(), bytes.size()) && file->Flush();
}

// The whole file `name` of `folder`, when it is at most `largest` bytes.
std::optional<std::string> ReadWhole(IHeldFolder& folder, std::u16string_view name,
                                     uint64_t largest) {
  FileHold hold = folder.HoldFile(name);
  if (!hold.file) return std::nullopt;
  const std::optional<uint64_t> size = hold.file->Size();
  if (!size || *size > largest) return std::nullopt;
  std::string bytes(static_cast<size_t>(*size), '\0');
  for (size_t done = 0; done < bytes.size();) {
    const std::optional<size_t> read =
        hold.file->ReadAt(done, bytes.data() + done, std::min(kCopyPiece, bytes.size() - done));
    if (!read || *read == 0) return std::nullopt;
    done += *read;
  }
  return bytes;
}

bool CopyFile(IHeldFolder& from, std::u16string_view name, IHeldFolder& to) {
  FileHold hold = from.HoldFile(name);
  return hold.file && CopyInto(*hold.file, to, name).file;
}

// Every file and folder of `from` into `to`; links are never followed.
bool CopyTree(IHeldFolder& from, IHeldFolder& to) {
  for (const std::u16string& name : from.Names()) {
    FolderHold sub = from.OpenFolder(name);
    if (sub.folder) {
      std::unique_ptr<IHeldFolder> target = OpenOrMake(to, name);
      if (!target || !CopyTree(*sub.folder, *target)) return false;
    } else if (from.HoldFile(name).file && !CopyFile(from, name, to)) {
      return false;
    }
  }
  return true;
}

class LayoutMaker {
 public:
  LayoutMaker(const LayoutRequest& request, const ProductManifest& manifest,
              LayoutServices& services)
      : request_(request), manifest_(manifest), s_(services) {}

  StepResult Run() {
    if (!s_.system.IsFolder(request_.target)) s_.system.CreateFolderTree(request_.target);
    target_ = s_.system.OpenFolder(request_.target).folder;
    if (!target_) return CannotWrite(request_.target);
    LogLine(u"Layout: making " + target_->Path());
    // A layout made into this installer's own folder has its files already.
    if (!EqualsIgnoreAsciiCase(WithoutTrailingBackslash(target_->Path()),
                               WithoutTrailingBackslash(request_.programFolder))) {
      if (StepResult copied = CopyProgram(); !copied.passed) return copied;
    }
    for (const LayoutEntry& entry : LayoutEntries(manifest_, request_.language)) {
      if (s_.cancel.IsCancelled()) return StepResult::Stopped();
      if (StepResult laid = LayOut(entry); !laid.passed) return laid;
    }
    LogLine(u"Layout: complete");
    return StepResult::Passed();
  }

 private:
  StepResult CannotWrite(const std::u16string& what) {
    LogLine(u"Layout: " + what + u" cannot be written");
    return StepResult::Failed(FailureCause::PackageFailed, what);
  }

  StepResult CopyProgram() {
    std::unique_ptr<IHeldFolder> program = s_.system.OpenFolder(request_.programFolder).folder;
    if (!program || !CopyFile(*program, request_.programName, *target_)) {
      return CannotWrite(request_.programName);
    }
    std::unique_ptr<IHeldFolder> manifestFolder =
        s_.system.OpenFolder(FolderOf(request_.manifestPath)).folder;
    const std::optional<std::string> text =
        manifestFolder
            ? ReadWhole(*manifestFolder, FileNameOf(request_.manifestPath), kLargestManifest)
            : std::nullopt;
    const std::optional<std::string> standalone = text ? StandaloneManifest(*text) : std::nullopt;
    if (!standalone) {
      LogLine(u"Layout: the manifest " + request_.manifestPath + u" cannot be made standalone");
      return StepResult::Failed(FailureCause::ManifestUnusable);
    }
    std::unique_ptr<IHeldFolder> config = OpenOrMake(*target_, u"config");
    if (!config || !WriteFile(*config, u"manifestHome.xml", *standalone)) {
      return CannotWrite(u"config\\manifestHome.xml");
    }
    return CopyLanguages(*program);
  }

  StepResult CopyLanguages(IHeldFolder& program) {
    FolderHold languages = program.OpenFolder(u"language");
    if (!languages.folder) return StepResult::Passed();  // English from the program alone
    std::unique_ptr<IHeldFolder> target = OpenOrMake(*target_, u"language");
    if (!target) return CannotWrite(u"language");
    for (const std::u16string& name :
         LayoutLanguages(languages.folder->Names(), request_.language)) {
      FolderHold from = languages.folder->OpenFolder(name);
      if (!from.folder) continue;
      std::unique_ptr<IHeldFolder> to = OpenOrMake(*target, name);
      if (!to || !CopyTree(*from.folder, *to)) return CannotWrite(u"language\\" + name);
      LogLine(u"Layout: language " + name);
    }
    return StepResult::Passed();
  }

  StepResult LayOut(const LayoutEntry& entry) {
    std::unique_ptr<IHeldFolder> folder = OpenOrMake(*target_, WorkFolderName(entry.folder));
    if (!folder) return CannotWrite(std::u16string(WorkFolderName(entry.folder)));
    if (AlreadyThere(entry, *folder)) {
      LogLine(u"Layout: " + entry.name + u" is there already");
      return StepResult::Passed();
    }
    CDownloadJob job(entry.url, folder->Path() + entry.fileName);
    uint64_t megabytesShort = 0;
    DownloadChecks checks = s_.checks;
    checks.onOutOfDisk = [&megabytesShort](uint64_t megabytes) { megabytesShort = megabytes; };
    const FetchResult fetched =
        FetchPayload(job, {*folder, entry.fileName, entry.sha256, entry.name}, s_.transfers, checks,
                     s_.cancel, s_.options);
    if (fetched.fetched()) {
      LogLine(u"Layout: " + entry.name + u" downloaded to " + job.localPath);
      return StepResult::Passed();
    }
    LogLine(u"Layout: " + entry.name + u" not downloaded (" +
            std::u16string(FailureCauseName(fetched.cause)) + u", " +
            TransferResultText(fetched.transfer) + u")");
    StepResult failed = StepResult::FailedTransfer(fetched.cause, entry.name, fetched.transfer,
                                                   WithoutCredentials(entry.url));
    failed.megabytesNeeded = megabytesShort;
    return failed;
  }

  // A file from an earlier layout stays when it matches its digest, or
  // without one when it has the size the server announces. One that does
  // not is removed.
  bool AlreadyThere(const LayoutEntry& entry, IHeldFolder& folder) {
    FileHold hold = folder.HoldFile(entry.fileName);
    if (!hold.file) return false;
    if (entry.sha256) {
      return VerifyPayload(entry.sha256, std::move(hold), folder, entry.fileName) ==
             PayloadVerdict::Matched;
    }
    const std::optional<uint64_t> size = hold.file->Size();
    hold.file.reset();
    const SizeResult server =
        s_.transfers.QuerySize(entry.url, s_.cancel, nullptr, s_.options.retry);
    if (server.result.ok() && size && server.size >= 0 &&
        static_cast<uint64_t>(server.size) == *size) {
      return true;
    }
    folder.Remove(entry.fileName);
    return false;
  }

  const LayoutRequest& request_;
  const ProductManifest& manifest_;
  LayoutServices& s_;
  std::unique_ptr<IHeldFolder> target_;
};

}  // namespace

StepResult MakeLayout(const LayoutRequest& request, const ProductManifest& manifest,
                      LayoutServices services) {
  return LayoutMaker(request, manifest, services).Run();
}

}  // namespace vwi
