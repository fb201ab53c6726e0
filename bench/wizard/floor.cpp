// The floor programs the wizard is measured against: a window and nothing
// else, or ("d2d") a window painted through one Direct2D DC render target
// cleared on every paint. Built as bench_floor_marquee, the window also holds
// a marquee progress bar of the common controls, and the program carries the
// installer's application manifest (elevation, common controls 6, DPI
// awareness): what the installer's first window cannot do without. All run
// until closed.
#include <windows.h>
#include <commctrl.h>

#include <d2d1.h>

#include <cwchar>

namespace {

ID2D1DCRenderTarget* target = nullptr;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (target) {
      RECT client;
      GetClientRect(window, &client);
      target->BindDC(dc, &client);
      target->BeginDraw();
      target->Clear(D2D1::ColorF(1.0f, 1.0f, 1.0f));
      target->EndDraw();
    }
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  if (std::wcsstr(commandLine, L"d2d")) {
    ID2D1Factory* factory = nullptr;
    D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                      reinterpret_cast<void**>(&factory));
    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
    if (factory) factory->CreateDCRenderTarget(&properties, &target);
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"VwiFloorWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VwiFloorWindow", L"Floor", WS_OVERLAPPEDWINDOW, 100, 100, 640,
                                480, nullptr, nullptr, instance, nullptr);
#ifdef VWI_FLOOR_MARQUEE
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | PBS_MARQUEE, 40,
                             40, 380, 20, window, nullptr, instance, nullptr);
  SendMessageW(bar, PBM_SETMARQUEE, TRUE, 10);
#endif
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
