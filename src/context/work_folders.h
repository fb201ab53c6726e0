// The folders a run downloads into, reads back, runs and installs from.
//
// Run elevated, the installer works only where nobody but the system and the
// Administrators can write: a folder of its own in the machine's program data
// ("Vimzee Web Installer"), where each run makes a new folder ("run-<tick>",
// with component, msi and transform inside) and removes it at its end, but
// for the packages it keeps for a later run ("cache"). A folder found there
// that anybody else could change is moved aside and never used.
//
// Run with the user's rights, it works beside the program, as it always has.
//
// Either way every folder is held from its check to the end of the run.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/held_folder.h"
#include "platform/system_services.h"

namespace vwi {

enum class WorkFolder { Component, Msi, Transform };

// The folder of a kind's packages ("component", "msi", "transform"): in a
// run's folder, and beside a standalone program.
std::u16string_view WorkFolderName(WorkFolder folder);

inline constexpr std::u16string_view kProtectedPlaceName = u"Vimzee Web Installer";

class WorkFolders {
 public:
  WorkFolders() = default;
  WorkFolders(WorkFolders&&) noexcept;
  WorkFolders& operator=(WorkFolders&&) noexcept;
  ~WorkFolders();

  // Makes or opens the folders; false when one cannot be had (the log says
  // which and why). Beside the program, a standalone manifest's component
  // folder is left as it is and may be missing.
  bool Prepare(ISystemServices& system, const std::u16string& programFolder, bool standalone);

  // True when the folders lie in the protected place.
  bool IsProtected() const { return protected_; }
  // Where the folders are made: the program's folder, or the protected place.
  const std::u16string& Place() const { return place_; }
  // The folder of that kind, held; null when there is none (a standalone
  // component folder that is missing, or after Finish).
  IHeldFolder* Folder(WorkFolder kind) const;
  // Its path, ending in a backslash; empty when there is none.
  std::u16string Path(WorkFolder kind) const;
  // Where a standalone manifest's packages of that kind lie: beside the
  // program. The work folder itself when the run works there; null when the
  // folder is missing.
  IHeldFolder* Shipped(WorkFolder kind) const;

  // A new folder, held, for a newer installer: in the run's folder when
  // protected, else a new "VrelWebInstaller_<tick>" in the temporary folder
  // (the next number when that one exists). Null when none can be made.
  std::unique_ptr<IHeldFolder> MakeUpdaterFolder(ISystemServices& system) const;

  // A package a later run may use again once its digest still matches. In
  // the protected place it goes to the cache at the end of the run.
  void KeepForReuse(WorkFolder kind, std::u16string name);
  // Puts a package an earlier run kept back into its work folder; beside the
  // program, where it stayed, there is nothing to do. True when it is there.
  bool BringBackKept(WorkFolder kind, std::u16string_view name);

  // The end of the run: nothing is held any more. In the protected place
  // the packages kept go to the cache, and the run's folder is removed with
  // everything in it (what a running program still holds is left for the
  // next run to remove). Beside the program the files stay, as they always
  // did.
  void Finish();

 private:
  bool PrepareBeside(ISystemServices& system, const std::u16string& programFolder, bool standalone);
  bool PrepareProtected(ISystemServices& system, const std::u16string& programFolder,
                        bool standalone);
  bool AdoptPlace(std::unique_ptr<IHeldFolder> place, std::unique_ptr<IHeldFolder> run,
                  std::u16string runName, bool descriptorsKept);
  bool OpenShipped(ISystemServices& system, const std::u16string& programFolder);
  void SweepEarlierRuns();

  static constexpr size_t kKinds = 3;
  bool protected_ = false;
  std::u16string place_;
  std::unique_ptr<IHeldFolder> placeFolder_;  // the protected place
  std::unique_ptr<IHeldFolder> run_;          // this run's folder in it
  std::u16string runName_;
  std::array<std::unique_ptr<IHeldFolder>, kKinds> folders_;
  std::array<std::unique_ptr<IHeldFolder>, kKinds> shipped_;  // beside the program, when protected
  std::array<std::unique_ptr<IHeldFolder>, kKinds> cache_;
  struct Kept {
    WorkFolder kind;
    std::u16string name;
  };
  std::vector<Kept> kept_;
  uint32_t tick_ = 0;
};

}  // namespace vwi
