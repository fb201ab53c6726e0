// Move-only owners of Windows handles: each closes its handle exactly once.
#pragma once

#include <windows.h>
#include <wininet.h>
#include <objbase.h>
#include <shtypes.h>

#include <utility>

namespace vwi {

// Owns a handle and releases it with Traits::Close unless it equals
// Traits::Invalid(). Copying is deleted so a handle can never be closed twice.
template <typename Traits>
class UniqueHandle {
 public:
  using T = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }

  // Closes the current handle (if any) and takes `handle`.
  void reset(T handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }
  [[nodiscard]] T release() { return std::exchange(handle_, Traits::Invalid()); }

  // For APIs that return a handle through a pointer; closes the current one first.
  T* put() {
    reset();
    return &handle_;
  }

 private:
  T handle_ = Traits::Invalid();
};

// Traits for handles that are null when invalid.
template <typename H, void (*CloseFn)(H)>
struct NullHandleTraits {
  using Type = H;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseFn(h); }
};

namespace handle_close {
inline void Kernel(HANDLE h) { ::CloseHandle(h); }
inline void Key(HKEY h) { ::RegCloseKey(h); }
inline void Internet(HINTERNET h) { ::InternetCloseHandle(h); }
inline void Module(HMODULE h) { ::FreeLibrary(h); }
inline void Icon(HICON h) { ::DestroyIcon(h); }
inline void Dc(HDC h) { ::DeleteDC(h); }
inline void ItemList(PIDLIST_ABSOLUTE list) { ::CoTaskMemFree(list); }
template <typename G>
inline void Gdi(G h) {
  ::DeleteObject(h);
}
}  // namespace handle_close

struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};

// Events, threads, processes, semaphores: null when invalid.
using UniqueHandleKernel = UniqueHandle<NullHandleTraits<HANDLE, handle_close::Kernel>>;
// CreateFileW and FindFirstFileW-style handles: INVALID_HANDLE_VALUE when invalid.
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueHkey = UniqueHandle<NullHandleTraits<HKEY, handle_close::Key>>;
using UniqueInternet = UniqueHandle<NullHandleTraits<HINTERNET, handle_close::Internet>>;
using UniqueModule = UniqueHandle<NullHandleTraits<HMODULE, handle_close::Module>>;
using UniqueIcon = UniqueHandle<NullHandleTraits<HICON, handle_close::Icon>>;
using UniqueDc = UniqueHandle<NullHandleTraits<HDC, handle_close::Dc>>;
// A shell item list (the folder chooser's answer), freed with the task allocator.
using UniqueItemList = UniqueHandle<NullHandleTraits<PIDLIST_ABSOLUTE, handle_close::ItemList>>;

// GDI objects of one kind.
template <typename G>
using UniqueGdi = UniqueHandle<NullHandleTraits<G, handle_close::Gdi<G>>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueRegion = UniqueGdi<HRGN>;

// A COM interface pointer, released once.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* p) : p_(p) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  template <typename U>
  ComPtr<U> As() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(__uuidof(U), out.put_void());
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace vwi
