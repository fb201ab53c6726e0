// Held folders on Windows: a folder is a handle opened without delete
// sharing, so it cannot be renamed or removed while the run holds it, and
// every file and subfolder is opened relative to that handle (the native
// open with a root directory), so no path is ever looked up a second time.
#include "platform/win/win_held_folder.h"

#include <windows.h>
#include <winternl.h>

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "platform/win/wide.h"
#include "platform/win/win_security.h"

namespace vwi {
namespace {

// Read, list, add: the run works inside. Others may read and add too (the
// folder's own access list says who may), but never rename or delete it.
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY |
                                FILE_TRAVERSE | FILE_READ_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;
constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

constexpr NTSTATUS kObjectNameNotFound = static_cast<NTSTATUS>(0xC0000034);
constexpr NTSTATUS kObjectPathNotFound = static_cast<NTSTATUS>(0xC000003A);
constexpr NTSTATUS kSharingViolation = static_cast<NTSTATUS>(0xC0000043);
constexpr NTSTATUS kFileIsADirectory = static_cast<NTSTATUS>(0xC00000BA);
constexpr NTSTATUS kNotADirectory = static_cast<NTSTATUS>(0xC0000103);
constexpr ULONG kOpenReparsePoint = 0x00200000;  // FILE_OPEN_REPARSE_POINT

// One path part: a relative open must never climb out of its folder.
bool IsPlainPart(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

// Opens `name` inside the folder `root` through the native open, which takes
// the folder's handle instead of a path.
NTSTATUS OpenRelative(HANDLE root, std::u16string_view name, ACCESS_MASK access, ULONG share,
                      ULONG disposition, ULONG options, PSECURITY_DESCRIPTOR descriptor,
                      UniqueFile& out) {
  if (!IsPlainPart(name)) return kObjectNameNotFound;
  std::wstring text(name.begin(), name.end());
  UNICODE_STRING unicode;
  unicode.Buffer = text.data();
  unicode.Length = static_cast<USHORT>(text.size() * sizeof(wchar_t));
  unicode.MaximumLength = unicode.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &unicode, OBJ_CASE_INSENSITIVE, root, descriptor);
  IO_STATUS_BLOCK io{};
  HANDLE handle = nullptr;
  const NTSTATUS status = NtCreateFile(
      &handle, access, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, share, disposition,
      options | kOpenReparsePoint | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (status >= 0) out.reset(handle);
  return status;
}

HoldRefusal RefusalFor(NTSTATUS status) {
  switch (status) {
    case kObjectNameNotFound:
    case kObjectPathNotFound:
      return HoldRefusal::Missing;
    case kFileIsADirectory:
    case kNotADirectory:
      return HoldRefusal::WrongKind;
    default:
      return HoldRefusal::Busy;
  }
}

std::optional<DWORD> AttributesOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return info.dwFileAttributes;
}

bool IsReparse(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

class WinHeldFile final : public IHeldFile {
 public:
  explicit WinHeldFile(UniqueFile file) : file_(std::move(file)) {}
  std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD part = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!ReadFile(file_.get(), buffer, part, &read, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) return 0;
      return std::nullopt;
    }
    return read;
  }
  std::optional<uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_.get(), &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
  }
  void* NativeHandle() override { return file_.get(); }

 private:
  UniqueFile file_;
};

class WinNewFile final : public INewFile {
 public:
  explicit WinNewFile(UniqueFile file) : file_(std::move(file)) {}
  bool WriteAt(uint64_t offset, const void* data, size_t size) override {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD part = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes, part, &written, &at)) return Failed();
      if (written == 0) {
        error_ = ERROR_WRITE_FAULT;
        return false;
      }
      bytes += written;
      offset += written;
      size -= written;
    }
    return true;
  }
  bool Truncate(uint64_t size) override {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    return SetFileInformationByHandle(file_.get(), FileEndOfFileInfo, &end, sizeof(end)) ||
           Failed();
  }
  bool Flush() override { return FlushFileBuffers(file_.get()) || Failed(); }
  uint32_t LastError() const override { return error_; }
  std::unique_ptr<IHeldFile> Hold() override {
    // While this writer is open, a second open of the same file must share
    // writing; once it is closed the hold shares reading alone. Both opens
    // come from a handle, never from the name, and neither shares deleting,
    // so the file cannot be renamed or replaced in between.
    UniqueFile bridge(ReOpenFile(file_.get(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0));
    file_.reset();
    if (!bridge) return nullptr;
    UniqueFile held(ReOpenFile(bridge.get(), GENERIC_READ, FILE_SHARE_READ, 0));
    if (!held) return nullptr;
    return std::make_unique<WinHeldFile>(std::move(held));
  }

 private:
  bool Failed() {
    error_ = GetLastError();
    return false;
  }
  UniqueFile file_;
  DWORD error_ = 0;
};

class WinHeldFolder final : public IHeldFolder {
 public:
  WinHeldFolder(UniqueFile handle, std::u16string path, bool protect)
      : handle_(std::move(handle)), path_(std::move(path)), protect_(protect) {
    if (path_.empty() || path_.back() != u'\\') path_ += u'\\';
  }

  const std::u16string& Path() const override { return path_; }

  FolderFacts Facts() override {
    FolderFacts facts;
    const std::optional<DWORD> attributes = AttributesOf(handle_.get());
    if (!attributes) return facts;
    facts.isLink = IsReparse(*attributes);
    facts.isFolder = (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ReadSecurity(handle_.get(), facts);
    return facts;
  }

  FolderHold OpenFolder(std::u16string_view name) override {
    UniqueFile handle;
    const NTSTATUS status = OpenRelative(handle_.get(), name, kFolderAccess, kFolderShare,
                                         FILE_OPEN, FILE_DIRECTORY_FILE, nullptr, handle);
    if (status < 0) return {nullptr, RefusalFor(status)};
    const std::optional<DWORD> attributes = AttributesOf(handle.get());
    if (!attributes) return {nullptr, HoldRefusal::Busy};
    if (IsReparse(*attributes)) return {nullptr, HoldRefusal::Link};
    return {Child(std::move(handle), name), HoldRefusal::None};
  }

  std::unique_ptr<IHeldFolder> MakeFolder(std::u16string_view name) override {
    ProtectedDescriptor descriptor;
    if (protect_ && !descriptor.get()) return nullptr;
    UniqueFile handle;
    if (OpenRelative(handle_.get(), name, kFolderAccess, kFolderShare, FILE_CREATE,
                     FILE_DIRECTORY_FILE, protect_ ? descriptor.get() : nullptr, handle) < 0) {
      return nullptr;
    }
    return Child(std::move(handle), name);
  }

  std::unique_ptr<INewFile> MakeFile(std::u16string_view name) override {
    UniqueFile handle;
    // Nobody else may write, rename or delete it while it is written.
    if (OpenRelative(handle_.get(), name, GENERIC_READ | GENERIC_WRITE | SYNCHRONIZE,
                     FILE_SHARE_READ, FILE_CREATE, FILE_NON_DIRECTORY_FILE | FILE_RANDOM_ACCESS,
                     nullptr, handle) < 0) {
      return nullptr;
    }
    return std::make_unique<WinNewFile>(std::move(handle));
  }

  FileHold HoldFile(std::u16string_view name) override {
    UniqueFile handle;
    const NTSTATUS status =
        OpenRelative(handle_.get(), name, GENERIC_READ | SYNCHRONIZE, FILE_SHARE_READ, FILE_OPEN,
                     FILE_NON_DIRECTORY_FILE | FILE_SEQUENTIAL_ONLY, nullptr, handle);
    if (status < 0) return {nullptr, RefusalFor(status)};
    const std::optional<DWORD> attributes = AttributesOf(handle.get());
    if (!attributes) return {nullptr, HoldRefusal::Busy};
    if (IsReparse(*attributes)) return {nullptr, HoldRefusal::Link};
    return {std::make_unique<WinHeldFile>(std::move(handle)), HoldRefusal::None};
  }

  bool Remove(std::u16string_view name) override { return RemoveEntry(handle_.get(), name); }

  bool Rename(std::u16string_view from, std::u16string_view to) override {
    return RenameEntry(from, handle_.get(), to, false);
  }

  bool MoveInto(std::u16string_view name, IHeldFolder& target) override {
    auto* other = dynamic_cast<WinHeldFolder*>(&target);
    return other && RenameEntry(name, other->handle_.get(), name, true);
  }

  std::vector<std::u16string> Names() override { return NamesIn(handle_.get()); }

 private:
  std::unique_ptr<IHeldFolder> Child(UniqueFile handle, std::u16string_view name) const {
    return std::make_unique<WinHeldFolder>(std::move(handle), path_ + std::u16string(name),
                                           protect_);
  }

  static std::vector<std::u16string> NamesIn(HANDLE folder) {
    std::vector<std::u16string> names;
    std::vector<unsigned char> buffer(64 * 1024);
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, kind, buffer.data(),
                                        static_cast<DWORD>(buffer.size()))) {
      kind = FileIdBothDirectoryInfo;
      size_t offset = 0;
      for (;;) {
        const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + offset);
        std::u16string name(reinterpret_cast<const char16_t*>(entry->FileName),
                            entry->FileNameLength / sizeof(wchar_t));
        if (name != u"." && name != u"..") names.push_back(std::move(name));
        if (entry->NextEntryOffset == 0) break;
        offset += entry->NextEntryOffset;
      }
    }
    return names;
  }

  // Deletes an entry through a handle of its own; a folder is emptied first,
  // a link is deleted as itself.
  static bool RemoveEntry(HANDLE parent, std::u16string_view name) {
    UniqueFile handle;
    const NTSTATUS status = OpenRelative(
        parent, name, DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN, 0, nullptr, handle);
    if (status < 0) return RefusalFor(status) == HoldRefusal::Missing;
    const std::optional<DWORD> attributes = AttributesOf(handle.get());
    if (!attributes) return false;
    if ((*attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsReparse(*attributes)) {
      for (const std::u16string& child : NamesIn(handle.get())) RemoveEntry(handle.get(), child);
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(handle.get(), FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
  }

  bool RenameEntry(std::u16string_view from, HANDLE targetFolder, std::u16string_view to,
                   bool replace) {
    if (!IsPlainPart(to)) return false;
    UniqueFile handle;
    if (OpenRelative(handle_.get(), from, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN, 0, nullptr,
                     handle) < 0) {
      return false;
    }
    const size_t bytes = sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(bytes, 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = targetFolder;
    info->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
    std::copy(to.begin(), to.end(), reinterpret_cast<char16_t*>(info->FileName));
    // The native call, whose record is laid out as FILE_RENAME_INFO: it takes
    // the target folder's handle everywhere (Wine's SetFileInformationByHandle
    // refuses a root directory).
    IO_STATUS_BLOCK io{};
    return NtSetInformationFile(handle.get(), &io, info, static_cast<ULONG>(bytes),
                                FileRenameInformation) >= 0;
  }

  UniqueFile handle_;
  std::u16string path_;
  bool protect_;
};

}  // namespace

std::unique_ptr<IHeldFile> HeldFileOf(UniqueFile file) {
  return std::make_unique<WinHeldFile>(std::move(file));
}

FolderHold OpenHeldFolder(const std::u16string& path, bool protect) {
  UniqueFile handle(CreateFileW(Wide(path), kFolderAccess, kFolderShare, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {nullptr, missing ? HoldRefusal::Missing : HoldRefusal::Busy};
  }
  const std::optional<DWORD> attributes = AttributesOf(handle.get());
  if (!attributes) return {nullptr, HoldRefusal::Busy};
  if (IsReparse(*attributes)) return {nullptr, HoldRefusal::Link};
  if (!(*attributes & FILE_ATTRIBUTE_DIRECTORY)) return {nullptr, HoldRefusal::WrongKind};
  return {std::make_unique<WinHeldFolder>(std::move(handle), path, protect), HoldRefusal::None};
}

}  // namespace vwi
