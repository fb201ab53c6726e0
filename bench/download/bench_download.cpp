// Times DownloadToFile of one URL against a bare WinINet loop of the same
// shape (4,096-byte reads, 40,960-byte batches written at offsets), each with
// and without the per-batch flush, alternating, once per variant.
//   bench_download.exe URL EXPECTED_BYTES OUT_FOLDER [reverse]
// ("reverse" runs the variants in the opposite order, so that alternating
// runs cancel any effect of the order.)
// Prints one line per variant: "<name> <seconds> <MiB/s>".
//   bench_download.exe fetch OUT_FOLDER URL...
// fetches each URL once with the bare loop (with the flush) into OUT_FOLDER,
// under the URL's file name: the download part of a silent run's floor.
//   bench_download.exe cut OUT_FOLDER EXPECTED_BYTES WHOLE_URL CUT_URL
// downloads the same file whole and from a URL whose connection is cut
// (resumed by the retries), as the download phase does it (size known);
// prints "whole <seconds>" and "cut <seconds>".
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "download/transfers.h"
#include "download/win/file_download.h"
#include "download/win/internet_session.h"
#include "download/win/size_query.h"
#include "download/win/url_parts.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"

namespace {

using namespace vwi;

struct Quiet : IDownloadCallback {
  void OnDownloadStatus(const DownloadStatusInfo& info) override { last = info.received; }
  uint64_t last = 0;
};

UniqueFile Create(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr));
}

uint64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// `size`: the size the server announced, which lets a cut transfer resume.
bool OursOfSize(const std::u16string& url, const std::wstring& path, bool flush, uint64_t size) {
  // The installer writes into a file it makes new in a held folder.
  DeleteFileW(path.c_str());
  const size_t cut = path.rfind(L'\\');
  std::unique_ptr<IHeldFolder> folder = OpenHeldFolder(FromWide(path.substr(0, cut)), false).folder;
  std::unique_ptr<INewFile> file =
      folder ? folder->MakeFile(FromWide(path.substr(cut + 1))) : nullptr;
  if (!file) return false;
  NeverCancelled never;
  Quiet quiet;
  TransferOptions options;
  options.flushEachBatch = flush;
  options.size = size;
  return DownloadToFile(never, url, *file, quiet, options).ok();
}

bool Ours(const std::u16string& url, const std::wstring& path, bool flush) {
  return OursOfSize(url, path, flush, 0);
}

// The plain loop: the same session, request flags and read/batch sizes, no
// progress reports, no lock, no checks.
bool Bare(const std::u16string& url, const std::wstring& path, bool flush) {
  std::optional<UrlParts> parts = SplitUrl(url);
  if (!parts) return false;
  UniqueInternet connection(InternetConnectW(InternetSession(), parts->host.c_str(), parts->port,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  const wchar_t* accept[] = {L"*/*", nullptr};
  const std::wstring object = parts->path + parts->extra;
  UniqueInternet request(HttpOpenRequestW(connection.get(), L"GET", object.c_str(), L"HTTP/1.1",
                                          nullptr, accept, 0x84400200, 0));
  if (!request || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return false;
  UniqueFile file = Create(path);
  std::vector<char> chunk(4096), batch(40960);
  size_t fill = 0;
  LONGLONG offset = 0;
  auto write = [&] {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD written = 0;
    SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN);
    WriteFile(file.get(), batch.data(), static_cast<DWORD>(fill), &written, nullptr);
    if (flush) FlushFileBuffers(file.get());
    offset += static_cast<LONGLONG>(fill);
    fill = 0;
  };
  for (;;) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request.get(), &available, 0, 0) || available == 0) break;
    DWORD read = 0;
    if (!InternetReadFile(request.get(), chunk.data(), available < 4096 ? available : 4096,
                          &read) ||
        read == 0) {
      break;
    }
    memcpy(batch.data() + fill, chunk.data(), read);
    fill += read;
    if (fill + 4096 > 40960 || read < 4096) write();
  }
  if (fill) write();
  return true;
}

}  // namespace

// The bare loop over each URL, into `folder`; 0 when every fetch succeeded.
int Fetch(int argc, wchar_t** argv) {
  OpenInternetSession();
  int status = 0;
  for (int i = 3; i < argc; ++i) {
    const std::wstring url = argv[i];
    const std::wstring path = std::wstring(argv[2]) + L"\\" + url.substr(url.rfind(L'/') + 1);
    if (!Bare(FromWide(url.c_str()), path, true)) status = 1;
  }
  CloseInternetSession();
  return status;
}

// The whole download against the cut one; 0 when both arrived whole.
int Cut(wchar_t** argv) {
  const std::wstring out = std::wstring(argv[2]) + L"\\cut.bin";
  const uint64_t expected = _wcstoui64(argv[3], nullptr, 10);
  OpenInternetSession();
  int status = 0;
  const char* names[] = {"whole", "cut"};
  for (int i = 0; i < 2; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = OursOfSize(FromWide(argv[4 + i]), out, true, expected);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok || SizeOf(out) != expected) status = 1;
    if (ok) {
      std::printf("%s %.3f\n", names[i], seconds);
    } else {
      std::printf("%s FAILED\n", names[i]);
    }
    DeleteFileW(out.c_str());
  }
  CloseInternetSession();
  return status;
}

int wmain(int argc, wchar_t** argv) {
  if (argc > 3 && std::wstring(argv[1]) == L"fetch") return Fetch(argc, argv);
  if (argc > 5 && std::wstring(argv[1]) == L"cut") return Cut(argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_download URL EXPECTED_BYTES OUT_FOLDER\n");
    return 2;
  }
  const std::u16string url = FromWide(argv[1]);
  const uint64_t expected = _wcstoui64(argv[2], nullptr, 10);
  const std::wstring out = std::wstring(argv[3]) + L"\\bench.bin";
  OpenInternetSession();
  struct Variant {
    const char* name;
    bool (*run)(const std::u16string&, const std::wstring&, bool);
    bool flush;
  };
  const Variant variants[] = {{"bare-flush", Bare, true},
                              {"ours-flush", Ours, true},
                              {"bare-noflush", Bare, false},
                              {"ours-noflush", Ours, false}};
  const bool reverse = argc > 4 && std::wstring(argv[4]) == L"reverse";
  int status = 0;
  // The size query that precedes every package download.
  const auto asked = std::chrono::steady_clock::now();
  NeverCancelled never;
  const int64_t announced = QueryRemoteFileSize(url, never).size;
  std::printf("size-query %.3f %lld\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count(),
              static_cast<long long>(announced));
  if (announced != static_cast<int64_t>(expected)) status = 1;
  for (int i = 0; i < 4; ++i) {
    const Variant& v = variants[reverse ? 3 - i : i];
    const auto start = std::chrono::steady_clock::now();
    const bool ok = v.run(url, out, v.flush);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const uint64_t size = SizeOf(out);
    if (!ok || size != expected) {
      std::printf("%s FAILED ok=%d size=%llu\n", v.name, ok ? 1 : 0,
                  static_cast<unsigned long long>(size));
      status = 1;
    } else {
      std::printf("%s %.3f %.1f\n", v.name, seconds, expected / 1048576.0 / seconds);
    }
    std::fflush(stdout);
    DeleteFileW(out.c_str());
  }
  CloseInternetSession();
  return status;
}
