#include "controls/win/shared_drawing.h"

#include "platform/win/gdi_scope.h"
#include "platform/win/safe_start.h"
#include "platform/win/unique_handle.h"

namespace vwi::shared_drawing {
namespace {

struct Objects {
  ComPtr<ID2D1Factory> factory;
  ComPtr<ID2D1DCRenderTarget> target;
  ComPtr<IDWriteFactory> text;
};

Objects& Shared() {
  static Objects objects;
  return objects;
}

}  // namespace

ID2D1DCRenderTarget* Target() {
  Objects& o = Shared();
  // Direct2D's library imports DirectWrite's: that one comes from the system
  // folder too, never from beside the program.
  if (!o.factory) KeepSystemLibrary(L"dwrite.dll");
  if (!o.factory &&
      FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory), nullptr,
                               o.factory.put_void()))) {
    return nullptr;
  }
  if (!o.target) {
    const D2D1_RENDER_TARGET_PROPERTIES properties{
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        {DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE},
        0.0f,
        0.0f,
        D2D1_RENDER_TARGET_USAGE_NONE,
        D2D1_FEATURE_LEVEL_DEFAULT};
    if (FAILED(o.factory->CreateDCRenderTarget(&properties, o.target.put()))) return nullptr;
  }
  return o.target.get();
}

IDWriteFactory* TextFactory() {
  Objects& o = Shared();
  if (!o.text) {
    DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                        reinterpret_cast<IUnknown**>(o.text.put()));
  }
  return o.text.get();
}

void Recreate() {
  Shared().target.reset();
  Shared().factory.reset();
}

void PaintWindow(HWND window, const D2D1_COLOR_F& back, const DrawFunction& draw) {
  PaintScope paint(window);
  ID2D1DCRenderTarget* target = Target();
  RECT client{};
  GetClientRect(window, &client);
  if (!target || FAILED(target->BindDC(paint.dc(), &client))) return;
  target->BeginDraw();
  target->Clear(back);
  draw(*target, client);
  if (target->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) Recreate();
}

}  // namespace vwi::shared_drawing
