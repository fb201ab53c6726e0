// Folders held open for the whole run, and the files made and held in them.
// A held folder cannot be renamed, replaced or removed while it is held, and
// everything inside it is reached through its handle, never through a path
// looked up again: a folder renamed and replaced by a link between two steps
// changes nothing for the run. Programs that only take a path (the Windows
// Installer, a process) get the held folder's path, which stays the folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vwi {

// Who an owner or an access entry names.
enum class Trustee { System, Administrators, Installer, Other };

// One entry of a folder's access list, as the platform reports it.
struct AccessEntry {
  Trustee trustee = Trustee::Other;
  bool allows = true;    // an allow entry (a deny entry takes nothing from the check)
  uint32_t mask = 0;     // the platform's access rights
  bool changes = false;  // the mask lets its trustee write, add, delete or re-secure
};

// What a folder is and who may change it, read through its handle.
struct FolderFacts {
  bool isLink = false;  // a junction, symbolic link or mount point
  bool isFolder = false;
  // The owner; nothing when the security descriptor could not be read.
  std::optional<Trustee> owner;
  bool noAccessList = false;  // no access list at all: everyone may do anything
  std::vector<AccessEntry> access;
};

// A file held open by this run: until it is let go no other program can
// write it, rename it or delete it, while programs can still read and start it.
class IHeldFile {
 public:
  virtual ~IHeldFile() = default;
  // Reads up to `size` bytes from `offset`; the count read (0 at the end),
  // nothing when the read fails.
  virtual std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
  // The file's size; nothing when it cannot be learnt.
  virtual std::optional<uint64_t> Size() = 0;
  // The platform's own handle (a HANDLE on Windows), for platform services
  // that read through it.
  virtual void* NativeHandle() = 0;
};

// A file this run has just created: nobody else can open it for writing,
// rename it or delete it while it is written.
class INewFile {
 public:
  virtual ~INewFile() = default;
  virtual bool WriteAt(uint64_t offset, const void* data, size_t size) = 0;
  // Cuts the file (or extends it) to `size` bytes.
  virtual bool Truncate(uint64_t size) = 0;
  virtual bool Flush() = 0;
  // The platform's code of the last failed call.
  virtual uint32_t LastError() const = 0;
  // Ends the writing and holds the file through the same open file: the name
  // is never looked up again, so a file put in its place meanwhile is never
  // the one held. Nothing when the file could not be held (another program
  // opened it for writing); the writer is closed either way.
  virtual std::unique_ptr<IHeldFile> Hold() = 0;
};

// Why an existing file or folder could not be held.
enum class HoldRefusal {
  None,       // held
  Missing,    // no such file or folder
  Link,       // a link: never followed
  WrongKind,  // a folder where a file was asked for, or the other way round
  Busy,       // another program has it open for writing or deleting
};

struct FileHold {
  std::unique_ptr<IHeldFile> file;
  HoldRefusal refusal = HoldRefusal::None;
};

class IHeldFolder;

struct FolderHold {
  std::unique_ptr<IHeldFolder> folder;
  HoldRefusal refusal = HoldRefusal::None;
};

class IHeldFolder {
 public:
  virtual ~IHeldFolder() = default;
  // The folder's path, ending in a backslash.
  virtual const std::u16string& Path() const = 0;
  virtual FolderFacts Facts() = 0;
  // An existing subfolder, held; a link is never opened.
  virtual FolderHold OpenFolder(std::u16string_view name) = 0;
  // A new subfolder (it must not exist yet), held. When the process runs
  // elevated it is owned by the Administrators, who with the system alone may
  // change it; everyone else may only read it.
  virtual std::unique_ptr<IHeldFolder> MakeFolder(std::u16string_view name) = 0;
  // A new file (it must not exist yet), open for writing.
  virtual std::unique_ptr<INewFile> MakeFile(std::u16string_view name) = 0;
  // An existing file, held; a link is never opened.
  virtual FileHold HoldFile(std::u16string_view name) = 0;
  // Removes a file, or a folder with everything in it; a link is removed
  // itself and never followed. True when nothing of that name is left.
  virtual bool Remove(std::u16string_view name) = 0;
  // Renames an entry inside this folder; false when `to` exists.
  virtual bool Rename(std::u16string_view from, std::u16string_view to) = 0;
  // Moves a file into `target` under the same name, replacing a file there.
  virtual bool MoveInto(std::u16string_view name, IHeldFolder& target) = 0;
  // The names of the entries, in no particular order.
  virtual std::vector<std::u16string> Names() = 0;
};

}  // namespace vwi
