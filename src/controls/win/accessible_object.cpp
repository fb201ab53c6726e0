#include "controls/win/accessible_object.h"

#include <oleacc.h>

#include <string>
#include <utility>

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "platform/win/window.h"

namespace vwi {
namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

AccessibleWindow WindowFacts(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  return AccessibleWindow{IsWindowVisible(control) != FALSE, (style & WS_TABSTOP) != 0,
                          GetFocus() == control};
}

HRESULT ReturnText(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocString(Wide(text));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnNumber(int32_t number, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = number;
  return S_OK;
}

// One control's accessible object. It holds the window handle only: the
// control may go while a client still holds the object, which then answers
// as disconnected.
class ControlAccessible final : public IAccessible, public IOleWindow {
 public:
  ControlAccessible(HWND control, ComPtr<IAccessible> standard)
      : control_(control), standard_(std::move(standard)) {}

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *out = static_cast<IOleWindow*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleWindow: the window behind the object (WindowFromAccessibleObject).
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = control_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch: the standard object's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
  }

  // IAccessible: what the control states.
  STDMETHODIMP get_accName(VARIANT child, BSTR* out) override {
    return ForSelf(
        child,
        [&](AccessibleSource& source) {
          const AccessibleFacts facts = source.Describe();
          return facts.name.empty() ? standard_->get_accName(child, out)
                                    : ReturnText(facts.name, out);
        },
        [&] { return standard_->get_accName(child, out); });
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override {
    return ForSelf(
        child, [&](AccessibleSource& source) { return ReturnText(source.Describe().value, out); },
        [&] { return standard_->get_accValue(child, out); });
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override {
    return ForSelf(
        child,
        [&](AccessibleSource& source) {
          return ReturnNumber(static_cast<int32_t>(source.Describe().role), out);
        },
        [&] { return standard_->get_accRole(child, out); });
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override {
    return ForSelf(
        child,
        [&](AccessibleSource& source) {
          const uint32_t state = AccessibleState(source.Describe(), WindowFacts(control_));
          return ReturnNumber(static_cast<int32_t>(state), out);
        },
        [&] { return standard_->get_accState(child, out); });
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
    return ForSelf(
        child,
        [&](AccessibleSource& source) {
          return ReturnText(DefaultAction(source.Describe(), WindowFacts(control_)), out);
        },
        [&] { return standard_->get_accDefaultAction(child, out); });
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    return ForSelf(
        child,
        [&](AccessibleSource& source) -> HRESULT {
          // A grey or hidden control does nothing, whoever asks.
          if (DefaultAction(source.Describe(), WindowFacts(control_)).empty()) {
            return DISP_E_MEMBERNOTFOUND;
          }
          source.DoDefaultAction(control_);
          return S_OK;
        },
        [&] { return standard_->accDoDefaultAction(child); });
  }

  // IAccessible: the standard object's (position, tree, focus, help).
  STDMETHODIMP get_accParent(IDispatch** out) override { return standard_->get_accParent(out); }
  STDMETHODIMP get_accChildCount(LONG* out) override { return standard_->get_accChildCount(out); }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override {
    return standard_->get_accDescription(child, out);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override {
    return standard_->get_accHelp(child, out);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return standard_->get_accKeyboardShortcut(child, out);
  }
  STDMETHODIMP get_accFocus(VARIANT* out) override { return standard_->get_accFocus(out); }
  STDMETHODIMP get_accSelection(VARIANT* out) override { return standard_->get_accSelection(out); }
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                           VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    return standard_->accNavigate(direction, start, out);
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* out) override {
    return standard_->accHitTest(x, y, out);
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~ControlAccessible() = default;

  // Answers for the control itself with `own` (given the control's object),
  // for anything else with the standard object; a control that is gone
  // answers as disconnected.
  template <typename Own, typename Standard>
  HRESULT ForSelf(const VARIANT& child, Own own, Standard standard) const {
    if (!IsWindow(control_)) return RPC_E_DISCONNECTED;
    auto* source = dynamic_cast<AccessibleSource*>(Window::FromHandle(control_));
    if (!source || !IsSelf(child)) return standard();
    return own(*source);
  }

  ULONG references_ = 1;
  HWND control_;
  ComPtr<IAccessible> standard_;
};

}  // namespace

void AccessibleSource::DoDefaultAction(HWND control) {
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

std::optional<LRESULT> AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  ComPtr<IAccessible> standard;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                       standard.put_void()))) {
    return std::nullopt;
  }
  ComPtr<IAccessible> object(new ControlAccessible(control, std::move(standard)));
  // The result holds its own reference; ours goes with `object`.
  return LresultFromObject(__uuidof(IAccessible), wParam, object.get());
}

void NotifyAccessibleChange(HWND control, DWORD event) {
  if (control) NotifyWinEvent(event, control, OBJID_CLIENT, CHILDID_SELF);
}

void UpdateAccessibleFacts(HWND control, AccessibleFacts& stored, AccessibleFacts next) {
  const AccessibleFacts before = std::exchange(stored, std::move(next));
  if (before.name != stored.name) NotifyAccessibleChange(control, EVENT_OBJECT_NAMECHANGE);
  if (before.value != stored.value) NotifyAccessibleChange(control, EVENT_OBJECT_VALUECHANGE);
  if (before.available != stored.available || before.checked != stored.checked ||
      before.expanded != stored.expanded) {
    NotifyAccessibleChange(control, EVENT_OBJECT_STATECHANGE);
  }
}

}  // namespace vwi
