#include "theme/win/gdiplus_session.h"

#include "theme/win/gdiplus_headers.h"

namespace vwi {
namespace {

int users = 0;
ULONG_PTR token = 0;
bool started = false;

}  // namespace

GdiplusUser::GdiplusUser() {
  if (users++ == 0) {
    Gdiplus::GdiplusStartupInput input;
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }
}

GdiplusUser::~GdiplusUser() {
  if (--users == 0 && started) {
    Gdiplus::GdiplusShutdown(token);
    started = false;
  }
}

bool GdiplusUser::ok() const { return started; }

}  // namespace vwi
