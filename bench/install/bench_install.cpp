// The install engine's own overhead: a silent engine run of the fixture
// product (main package, German transform, language pack; nothing to
// download) against the same packages installed by Msiexec and the
// language pack started directly, alternating in one process.
//   bench_install.exe RUNS
#include <windows.h>
#include <msi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "install/install_items.h"
#include "install/install_worker.h"
#include "install/registry_prerequisite_probe.h"
#include "install/win/win_install_steps.h"
#include "platform/registry.h"
#include "platform/win/wide.h"
#include "platform/win/win_message_box.h"
#include "platform/win/win_system_services.h"

namespace {

using namespace vwi;

const wchar_t kProductCode[] = L"{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B50}";
const std::wstring kFixtures = L"" VWI_INSTALL_FIXTURES;
const std::wstring kFolder = L"C:\\Program Files\\Vimzee Bench";

struct NoLanguagePacks : IInstalledLanguagePacks {
  std::vector<int32_t> InstalledLanguagePacks() override { return {}; }
};

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

int Run(std::wstring line) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return int(code);
}

void Uninstall() {
  MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
  MsiConfigureProductW(kProductCode, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
}

struct Work {
  std::wstring program, component, msi, transform;
};

Work Prepare() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  Work w;
  w.program = std::wstring(temp) + L"vwi bench";
  w.component = w.program + L"\\component\\";
  w.msi = w.program + L"\\msi\\";
  w.transform = w.program + L"\\transform\\";
  for (const auto& f : {w.program, w.component, w.msi, w.transform}) {
    CreateDirectoryW(f.c_str(), nullptr);
  }
  CreateDirectoryW(kFolder.c_str(), nullptr);
  CopyFileW((kFixtures + L"\\product_1.0.0.msi").c_str(), (w.msi + L"Vimzee.msi").c_str(), FALSE);
  CopyFileW((kFixtures + L"\\language_pack.exe").c_str(),
            (w.component + L"language_pack_1031.exe").c_str(), FALSE);
  Run(L"\"" + kFixtures + L"\\make_transform.exe\" \"" + w.transform + L"1031.mst\" 1031");
  return w;
}

double EngineRun(const Work& w) {
  InstallerContext context;
  AppFlags flags;
  context.programFolder = FromWide(w.program.c_str());
  context.componentFolder = FromWide(w.component.c_str());
  context.msiFolder = FromWide(w.msi.c_str());
  context.transformFolder = FromWide(w.transform.c_str());
  ProductManifest& m = context.manifest;
  m.pid = u"270";
  m.shortName = u"Vimzee Home";
  m.registryPath = u"SOFTWARE\\Orvanta\\VimzeeBench";
  m.standalone = true;  // the packages lie beside the program: nothing is downloaded
  m.mainComponentName = u"Vimzee.msi";
  m.mainComponentUrl = u"http://127.0.0.1/unused";
  m.mainExecutable = u"Product.exe";
  m.transforms = {{1031, u"de.mst", u""}};
  m.languagePacks = {{1031, u"271", u"language_pack_1031", u""}};
  context.strings.languageId = 1031;
  context.multipleLanguages = true;
  WinSystemServices system;
  NoLanguagePacks packs;
  WinMessageBox box(nullptr);
  InstallStatus status;
  WinInstallSteps steps({context, context.workFolders, flags, system, SystemRegistry(), box});
  const double start = Now();
  {
    RegistryPrerequisiteProbe probe(SystemRegistry());
    InstallPlan plan = BuildInstallItems(context, flags, 1031, probe, packs, system.TickCount());
    InstallWorker worker(status, steps);
    worker.StartInstall(std::move(plan), {FromWide(kFolder.c_str()), 0, 1031});
  }
  const double elapsed = Now() - start;
  if (status.Read().state != InstallState::Finished) std::printf("engine run did not finish\n");
  return elapsed;
}

double MsiexecRun(const Work& w) {
  const double start = Now();
  const int code =
      Run(L"msiexec.exe /i \"" + w.msi + L"Vimzee.msi\" /qn INSTALLDIR=\"" + kFolder +
          L"\" TRANSFORMS=\"" + w.transform + L"1031.mst\" SHELL_INTEGRATION_LEVEL=\"All\"");
  Run(L"\"" + w.component + L"language_pack_1031.exe\" /s");
  const double elapsed = Now() - start;
  if (code != 0) std::printf("msiexec returned %d\n", code);
  return elapsed;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 7;
  const Work work = Prepare();
  std::vector<double> engine, msiexec;
  Uninstall();
  for (int i = 0; i < runs; ++i) {
    engine.push_back(EngineRun(work));
    Uninstall();
    msiexec.push_back(MsiexecRun(work));
    Uninstall();
    std::printf("run %d: engine %.1f ms, msiexec %.1f ms\n", i + 1, engine.back(), msiexec.back());
  }
  const double e = Median(engine), m = Median(msiexec);
  std::printf("median: engine %.1f ms, msiexec alone %.1f ms, overhead %.1f ms (%.2fx)\n", e, m,
              e - m, m > 0 ? e / m : 0.0);
  return 0;
}
