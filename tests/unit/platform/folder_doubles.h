// Held folders over the native ones, whose facts a test chooses and between
// whose steps it acts on the disk as another program would. Every folder
// reached through them is wrapped the same way.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/posix/posix_system_services.h"

namespace vwi::test {

struct FolderScript {
  // The facts a folder reports, by its path (with the trailing backslash).
  std::map<std::u16string, FolderFacts> facts;
  // What every other folder reports: a folder owned by the Administrators
  // that nobody else may change (what a folder this run made looks like on
  // a file system that keeps descriptors).
  FolderFacts others{false, true, Trustee::Administrators, false, {}};
  // Runs after each step: its name ("open", "make folder", "make file",
  // "hold", "remove", "rename", "move") and the path it was about.
  std::function<void(std::u16string_view step, const std::u16string& path)> after;
  // Entries the double refuses to rename (as a folder whose owner forbids it).
  std::vector<std::u16string> unmovable;
  std::vector<std::u16string> steps;  // "step path", in order
};

// A folder owned by the user, or one anybody may add to.
inline FolderFacts OwnedByUser() { return {false, true, Trustee::Other, false, {}}; }
inline FolderFacts WritableByAll() {
  return {false, true, Trustee::Administrators, false, {{Trustee::Other, true, 0x2, true}}};
}

class ScriptedFolder final : public IHeldFolder {
 public:
  ScriptedFolder(std::unique_ptr<IHeldFolder> real, FolderScript& script)
      : real_(std::move(real)), script_(script) {}

  static std::unique_ptr<IHeldFolder> Wrap(std::unique_ptr<IHeldFolder> real,
                                           FolderScript& script) {
    if (!real) return nullptr;
    return std::make_unique<ScriptedFolder>(std::move(real), script);
  }

  const std::u16string& Path() const override { return real_->Path(); }
  FolderFacts Facts() override {
    auto it = script_.facts.find(Path());
    return it != script_.facts.end() ? it->second : script_.others;
  }
  FolderHold OpenFolder(std::u16string_view name) override {
    FolderHold held = real_->OpenFolder(name);
    held.folder = Wrap(std::move(held.folder), script_);
    Note(u"open", name);
    return held;
  }
  std::unique_ptr<IHeldFolder> MakeFolder(std::u16string_view name) override {
    auto made = Wrap(real_->MakeFolder(name), script_);
    Note(u"make folder", name);
    return made;
  }
  std::unique_ptr<INewFile> MakeFile(std::u16string_view name) override {
    auto made = real_->MakeFile(name);
    Note(u"make file", name);
    return made;
  }
  FileHold HoldFile(std::u16string_view name) override {
    FileHold hold = real_->HoldFile(name);
    Note(u"hold", name);
    return hold;
  }
  bool Remove(std::u16string_view name) override {
    const bool removed = real_->Remove(name);
    Note(u"remove", name);
    return removed;
  }
  bool Rename(std::u16string_view from, std::u16string_view to) override {
    for (const std::u16string& refused : script_.unmovable) {
      if (refused == Path() + std::u16string(from)) return false;
    }
    const bool renamed = real_->Rename(from, to);
    Note(u"rename", from);
    return renamed;
  }
  bool MoveInto(std::u16string_view name, IHeldFolder& target) override {
    auto* other = dynamic_cast<ScriptedFolder*>(&target);
    const bool moved = real_->MoveInto(name, other ? *other->real_ : target);
    Note(u"move", name);
    return moved;
  }
  std::vector<std::u16string> Names() override { return real_->Names(); }

 private:
  void Note(std::u16string_view step, std::u16string_view name) {
    const std::u16string path = Path() + std::u16string(name);
    script_.steps.push_back(std::u16string(step) + u" " + path);
    if (script_.after) script_.after(step, path);
  }

  std::unique_ptr<IHeldFolder> real_;
  FolderScript& script_;
};

// The native system services with scripted folders.
class ScriptedSystem final : public PosixSystemServices {
 public:
  using PosixSystemServices::PosixSystemServices;
  FolderHold OpenFolder(const std::u16string& path) override {
    FolderHold held = PosixSystemServices::OpenFolder(path);
    held.folder = ScriptedFolder::Wrap(std::move(held.folder), script);
    return held;
  }
  FolderScript script;
};

}  // namespace vwi::test
