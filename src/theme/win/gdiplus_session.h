// Keeps the GDI+ image decoder running while anything decodes with it.
#pragma once

namespace vwi {

// The decoder starts with the first user and stops when the last one goes.
// Main thread only.
class GdiplusUser {
 public:
  GdiplusUser();
  ~GdiplusUser();
  GdiplusUser(const GdiplusUser&) = delete;
  GdiplusUser& operator=(const GdiplusUser&) = delete;

  // False when the decoder could not be started.
  bool ok() const;
};

}  // namespace vwi
