// Held folders natively: a folder is a directory descriptor and everything
// inside it is reached with the *at calls relative to it, never following a
// symbolic link, so the native tests see the same rules the Windows handles
// keep. The owner and permissions become facts as the root user and the
// group and other write bits suggest; the Windows sharing rules have no
// equivalent here.
#include "platform/posix/posix_held_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/text.h"

namespace vwi {
namespace {

// A descriptor closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor& operator=(Descriptor&&) = delete;
  Descriptor(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool IsPlainPart(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

std::string Part(std::u16string_view name) { return Utf8FromUtf16(name); }

// Why `name` in `folder` could not be opened as the kind asked for.
HoldRefusal Classify(int folder, const std::string& name, bool wantFolder) {
  struct stat info {};
  if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? HoldRefusal::Missing : HoldRefusal::Busy;
  }
  if (S_ISLNK(info.st_mode)) return HoldRefusal::Link;
  if (S_ISDIR(info.st_mode) != wantFolder) return HoldRefusal::WrongKind;
  return HoldRefusal::Busy;
}

class PosixHeldFile final : public IHeldFile {
 public:
  explicit PosixHeldFile(Descriptor fd) : fd_(std::move(fd)) {}
  std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) override {
    const ssize_t read = pread(fd_.get(), buffer, size, static_cast<off_t>(offset));
    if (read < 0) return std::nullopt;
    return static_cast<size_t>(read);
  }
  std::optional<uint64_t> Size() override {
    struct stat info {};
    if (fstat(fd_.get(), &info) != 0) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
  }
  void* NativeHandle() override {
    return reinterpret_cast<void*>(static_cast<intptr_t>(fd_.get()));
  }

 private:
  Descriptor fd_;
};

class PosixNewFile final : public INewFile {
 public:
  explicit PosixNewFile(Descriptor fd) : fd_(std::move(fd)) {}
  bool WriteAt(uint64_t offset, const void* data, size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t written = pwrite(fd_.get(), bytes, size, static_cast<off_t>(offset));
      if (written <= 0) return Failed();
      bytes += written;
      offset += static_cast<uint64_t>(written);
      size -= static_cast<size_t>(written);
    }
    return true;
  }
  bool Truncate(uint64_t size) override {
    return ftruncate(fd_.get(), static_cast<off_t>(size)) == 0 || Failed();
  }
  bool Flush() override { return fsync(fd_.get()) == 0 || Failed(); }
  uint32_t LastError() const override { return error_; }
  std::unique_ptr<IHeldFile> Hold() override {
    return std::make_unique<PosixHeldFile>(std::move(fd_));
  }

 private:
  bool Failed() {
    error_ = static_cast<uint32_t>(errno);
    return false;
  }
  Descriptor fd_;
  uint32_t error_ = 0;
};

class PosixHeldFolder final : public IHeldFolder {
 public:
  PosixHeldFolder(Descriptor fd, std::u16string path, bool protect)
      : fd_(std::move(fd)), path_(std::move(path)), protect_(protect) {
    // A native path may already end in its own separator.
    if (path_.empty() || (path_.back() != u'\\' && path_.back() != u'/')) path_ += u'\\';
  }

  const std::u16string& Path() const override { return path_; }

  FolderFacts Facts() override {
    FolderFacts facts;
    struct stat info {};
    if (fstat(fd_.get(), &info) != 0) return facts;
    facts.isFolder = S_ISDIR(info.st_mode);
    facts.owner = info.st_uid == 0 ? Trustee::Administrators : Trustee::Other;
    if (info.st_mode & (S_IWGRP | S_IWOTH)) {
      facts.access.push_back({Trustee::Other, true, static_cast<uint32_t>(info.st_mode), true});
    }
    return facts;
  }

  FolderHold OpenFolder(std::u16string_view name) override {
    if (!IsPlainPart(name)) return {nullptr, HoldRefusal::Missing};
    const std::string part = Part(name);
    Descriptor fd(openat(fd_.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) return {nullptr, Classify(fd_.get(), part, true)};
    return {Child(std::move(fd), name), HoldRefusal::None};
  }

  std::unique_ptr<IHeldFolder> MakeFolder(std::u16string_view name) override {
    if (!IsPlainPart(name)) return nullptr;
    const std::string part = Part(name);
    if (mkdirat(fd_.get(), part.c_str(), protect_ ? 0755 : 0777) != 0) return nullptr;
    Descriptor fd(openat(fd_.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) return nullptr;
    return Child(std::move(fd), name);
  }

  std::unique_ptr<INewFile> MakeFile(std::u16string_view name) override {
    if (!IsPlainPart(name)) return nullptr;
    Descriptor fd(openat(fd_.get(), Part(name).c_str(),
                         O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!fd) return nullptr;
    return std::make_unique<PosixNewFile>(std::move(fd));
  }

  FileHold HoldFile(std::u16string_view name) override {
    if (!IsPlainPart(name)) return {nullptr, HoldRefusal::Missing};
    const std::string part = Part(name);
    Descriptor fd(openat(fd_.get(), part.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) return {nullptr, Classify(fd_.get(), part, false)};
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) return {nullptr, HoldRefusal::Busy};
    if (!S_ISREG(info.st_mode)) return {nullptr, HoldRefusal::WrongKind};
    return {std::make_unique<PosixHeldFile>(std::move(fd)), HoldRefusal::None};
  }

  bool Remove(std::u16string_view name) override {
    return IsPlainPart(name) && RemoveEntry(fd_.get(), Part(name));
  }

  bool Rename(std::u16string_view from, std::u16string_view to) override {
    if (!IsPlainPart(from) || !IsPlainPart(to)) return false;
    return renameat2(fd_.get(), Part(from).c_str(), fd_.get(), Part(to).c_str(),
                     RENAME_NOREPLACE) == 0;
  }

  bool MoveInto(std::u16string_view name, IHeldFolder& target) override {
    auto* other = dynamic_cast<PosixHeldFolder*>(&target);
    if (!other || !IsPlainPart(name)) return false;
    const std::string part = Part(name);
    return renameat(fd_.get(), part.c_str(), other->fd_.get(), part.c_str()) == 0;
  }

  std::vector<std::u16string> Names() override { return NamesIn(fd_.get()); }

 private:
  std::unique_ptr<IHeldFolder> Child(Descriptor fd, std::u16string_view name) const {
    return std::make_unique<PosixHeldFolder>(std::move(fd), path_ + std::u16string(name), protect_);
  }

  static std::vector<std::u16string> NamesIn(int folder) {
    std::vector<std::u16string> names;
    DIR* list = fdopendir(dup(folder));
    if (!list) return names;
    while (const dirent* entry = readdir(list)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(Utf16FromUtf8(name));
    }
    closedir(list);
    return names;
  }

  static bool RemoveEntry(int folder, const std::string& name) {
    struct stat info {};
    if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
    if (!S_ISDIR(info.st_mode)) return unlinkat(folder, name.c_str(), 0) == 0;
    Descriptor fd(openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd) {
      for (const std::u16string& child : NamesIn(fd.get())) RemoveEntry(fd.get(), Part(child));
    }
    return unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0;
  }

  Descriptor fd_;
  std::u16string path_;
  bool protect_;
};

}  // namespace

FolderHold OpenPosixHeldFolder(const std::u16string& path, bool protect) {
  const std::filesystem::path native = NativePath(path);
  Descriptor fd(open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd) {
    struct stat info {};
    if (lstat(native.c_str(), &info) != 0) return {nullptr, HoldRefusal::Missing};
    if (S_ISLNK(info.st_mode)) return {nullptr, HoldRefusal::Link};
    return {nullptr, S_ISDIR(info.st_mode) ? HoldRefusal::Busy : HoldRefusal::WrongKind};
  }
  return {std::make_unique<PosixHeldFolder>(std::move(fd), path, protect), HoldRefusal::None};
}

}  // namespace vwi
