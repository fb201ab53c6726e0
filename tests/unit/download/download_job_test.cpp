#include "download/download_job.h"

#include <gtest/gtest.h>

#include <vector>

namespace vwi {
namespace {

TEST(DownloadJob, PercentAndTotalOfTheServersSize) {
  DownloadStatusInfo info;
  info.received = 3000000000ULL;
  info.total = 6000000000ULL;
  EXPECT_EQ(DownloadPercent(info), 50);
  info.total = 0;
  EXPECT_EQ(DownloadPercent(info), 0);
  CDownloadJob job(u"u", u"p");
  std::vector<uint64_t> totals;
  job.OnDownloadStatus(info);  // no callback: nothing happens
  job.callback = [&](const DownloadStatusInfo& i) { totals.push_back(i.total); };
  job.OnDownloadStatus(info);
  job.fileSize = 6000000000LL;
  job.OnDownloadStatus(info);
  EXPECT_EQ(totals, (std::vector<uint64_t>{0, 6000000000ULL}));
}

TEST(DownloadJob, ATryThatStartsOverNeverMovesTheProgressBack) {
  CDownloadJob job(u"u", u"p");
  std::vector<uint64_t> shown;
  job.callback = [&](const DownloadStatusInfo& i) { shown.push_back(i.received); };
  for (uint64_t received : {4096u, 8192u, 0u, 4096u, 12288u}) {
    DownloadStatusInfo info;
    info.received = received;
    job.OnDownloadStatus(info);
  }
  EXPECT_EQ(shown, (std::vector<uint64_t>{4096, 8192, 8192, 8192, 12288}));
}

}  // namespace
}  // namespace vwi
