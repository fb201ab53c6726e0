// Times XmlDocument::SetText (the index build) against pugixml's parse of the
// same content from UTF-8, and LoadFile of the UTF-8 file, on three generated
// documents; reports the ratio and the peak heap per MB of input.
//
//   bench_xml MEGABYTES REPEATS WORK_DIR
#include <malloc.h>

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "platform/text.h"
#include "xml/xml_document.h"

namespace {

// ---- Heap accounting: every allocation of ours and of pugixml ----
size_t gCurrent = 0;
size_t gPeak = 0;

void* CountedAlloc(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (p) {
    gCurrent += malloc_usable_size(p);
    gPeak = std::max(gPeak, gCurrent);
  }
  return p;
}
void CountedFree(void* p) {
  if (!p) return;
  gCurrent -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(size_t size) {
  void* p = CountedAlloc(size);
  if (!p) throw std::bad_alloc();
  return p;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }

namespace {

// ---- Documents ----
std::string ManifestLike(size_t bytes) {
  std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<product name=\"Vimzee\">\n";
  for (int i = 0; s.size() < bytes; ++i) {
    const std::string n = std::to_string(i);
    s += "  <component id=\"c" + n +
         "\" type=\"msi\">\n"
         "    <name>Vimzee Component " +
         n +
         " &amp; Orvanta</name>\n"
         "    <url>http://127.0.0.1/packages/component" +
         n +
         ".msi</url>\n"
         "    <size>" +
         std::to_string(100000 + i * 7) +
         "</size>\n"
         "    <languages><language id=\"1033\"/><language id=\"1031\"/></languages>\n"
         "    <!-- build " +
         n +
         " -->\n"
         "  </component>\n";
  }
  return s + "</product>\n";
}

std::string DeepNesting(size_t bytes) {
  std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<root>";
  const int depth = 5000;
  while (s.size() < bytes) {
    for (int d = 0; d < depth; ++d) s += "<level n=\"" + std::to_string(d) + "\">t";
    for (int d = 0; d < depth; ++d) s += "</level>";
    s += "\n";
  }
  return s + "</root>\n";
}

std::string ManyAttributes(size_t bytes) {
  std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<items>\n";
  for (int i = 0; s.size() < bytes; ++i) {
    s += "  <item";
    for (int a = 0; a < 24; ++a) {
      s += " attr" + std::to_string(a) + "=\"value " + std::to_string(i + a) + "\"";
    }
    s += "/>\n";
  }
  return s + "</items>\n";
}

// ---- Measuring ----
struct Measure {
  double seconds;  // median
  double best;
  size_t peak;  // heap bytes above the level at the start
};

Measure Run(int repeats, const std::function<void()>& op) {
  std::vector<double> times;
  size_t peak = 0;
  for (int r = 0; r < repeats; ++r) {
    const size_t base = gCurrent;
    gPeak = gCurrent;
    const auto start = std::chrono::steady_clock::now();
    op();
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    peak = std::max(peak, gPeak - base);
  }
  std::sort(times.begin(), times.end());
  return Measure{times[times.size() / 2], times.front(), peak};
}

void Report(const char* name, const std::string& utf8, int repeats, const std::string& dir) {
  const double mb = utf8.size() / 1048576.0;
  const std::u16string text = vwi::Utf16FromUtf8(utf8);
  const std::string path = dir + "/" + name + ".xml";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(utf8.data(), 1, utf8.size(), f);
    std::fclose(f);
  }
  int32_t elements = 0;
  bool verdict = false;

  // Alternate the runs so that load on the machine hits both alike.
  Measure ours{}, pugi{}, load{}, oursMoved{}, pugiInPlace{};
  std::vector<Measure> oursRuns, pugiRuns, movedRuns, inPlaceRuns;
  for (int r = 0; r < repeats; ++r) {
    // Without the copy of the input: the text handed over, the buffer parsed in place.
    std::u16string handed = text;
    movedRuns.push_back(Run(1, [&] {
      vwi::XmlDocument doc;
      doc.SetText(std::move(handed));
    }));
    std::string buffer = utf8;
    inPlaceRuns.push_back(Run(1, [&] {
      pugi::xml_document doc;
      doc.load_buffer_inplace(buffer.data(), buffer.size());
    }));
    oursRuns.push_back(Run(1, [&] {
      vwi::XmlDocument doc;
      verdict = doc.SetText(text);
      elements = doc.nextFreeIndex() - 1;
    }));
    pugiRuns.push_back(Run(1, [&] {
      pugi::xml_document doc;
      const pugi::xml_parse_result result = doc.load_buffer(utf8.data(), utf8.size());
      if (!result) std::printf("pugixml: %s\n", result.description());
    }));
  }
  auto combine = [](std::vector<Measure>& runs) {
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.seconds < b.seconds; });
    Measure m = runs[runs.size() / 2];
    m.best = runs.front().seconds;
    for (auto& x : runs) m.peak = std::max(m.peak, x.peak);
    return m;
  };
  ours = combine(oursRuns);
  pugi = combine(pugiRuns);
  oursMoved = combine(movedRuns);
  pugiInPlace = combine(inPlaceRuns);
  load = Run(repeats, [&] {
    vwi::XmlDocument doc;
    doc.SetText(nullptr);
    doc.LoadFile(vwi::Utf16FromUtf8(path));
  });

  std::printf("%-16s %7.1f MB UTF-8, %9d elements, well-formed %s\n", name, mb, elements,
              verdict ? "yes" : "NO");
  std::printf(
      "  SetText (index build)  median %8.1f ms  best %8.1f ms  %7.1f MB/s  peak %6.2f MB/MB\n",
      ours.seconds * 1e3, ours.best * 1e3, mb / ours.seconds, ours.peak / 1048576.0 / mb);
  std::printf(
      "  pugixml load_buffer    median %8.1f ms  best %8.1f ms  %7.1f MB/s  peak %6.2f MB/MB\n",
      pugi.seconds * 1e3, pugi.best * 1e3, mb / pugi.seconds, pugi.peak / 1048576.0 / mb);
  std::printf(
      "  LoadFile (UTF-8 file)  median %8.1f ms  best %8.1f ms  %7.1f MB/s  peak %6.2f MB/MB\n",
      load.seconds * 1e3, load.best * 1e3, mb / load.seconds, load.peak / 1048576.0 / mb);
  std::printf(
      "  SetText, text moved in median %8.1f ms  best %8.1f ms  %7.1f MB/s  peak %6.2f MB/MB\n",
      oursMoved.seconds * 1e3, oursMoved.best * 1e3, mb / oursMoved.seconds,
      oursMoved.peak / 1048576.0 / mb);
  std::printf(
      "  pugixml in place       median %8.1f ms  best %8.1f ms  %7.1f MB/s  peak %6.2f MB/MB\n",
      pugiInPlace.seconds * 1e3, pugiInPlace.best * 1e3, mb / pugiInPlace.seconds,
      pugiInPlace.peak / 1048576.0 / mb);
  std::printf("  ratio to pugixml, input copied:     %.2f (median), %.2f (best)\n",
              ours.seconds / pugi.seconds, ours.best / pugi.best);
  std::printf("  ratio to pugixml, input not copied: %.2f (median), %.2f (best)\n\n",
              oursMoved.seconds / pugiInPlace.seconds, oursMoved.best / pugiInPlace.best);
  std::remove(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::string dir = argc > 3 ? argv[3] : ".";
  pugi::set_memory_management_functions(CountedAlloc, CountedFree);
  std::printf("XML benchmark: %zu MB documents, %d runs each (median and best)\n\n", mb, repeats);
  Report("manifest-like", ManifestLike(mb << 20), repeats, dir);
  Report("deep-nesting", DeepNesting(mb << 20), repeats, dir);
  Report("many-attributes", ManyAttributes(mb << 20), repeats, dir);
  return 0;
}
