#include "ui/accessible_name_win.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

constexpr UINT_PTR kNameSubclassId = 0x4E414D45;  // "NAME"
// The same name as a window property, so that a later call finds it to replace.
constexpr wchar_t kNameProperty[] = L"Wordmere.AccessibleName";

// The system's accessible object of a control with another name. Every other property, the
// children and the other interfaces a client asks for (the children's enumeration, the window)
// are the system object's own.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, const std::wstring& name)
        : standard_(standard), name_(name) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(id, riid, locale, flags, params, result, exception, argumentError);
    }

    // IAccessible: the name of the control itself is ours, its items keep theirs.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
            *name = SysAllocString(name_.c_str());
            return *name ? S_OK : E_OUTOFMEMORY;
        }
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { standard_->Release(); }

    IAccessible* standard_;
    std::wstring name_;
    LONG references_ = 1;
};

LRESULT CALLBACK NamedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
    auto* name = reinterpret_cast<std::wstring*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard)))) {
            auto* named = new NamedAccessible(standard, *name);
            const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, named);
            named->Release();
            return result;
        }
    } else if (message == WM_NCDESTROY) {
        RemovePropW(window, kNameProperty);
        RemoveWindowSubclass(window, NamedControlProc, id);
        delete name;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void NameWindow(HWND window, const std::wstring& name) {
    if (auto* kept = static_cast<std::wstring*>(GetPropW(window, kNameProperty))) {
        *kept = name;
        return;
    }
    auto* kept = new std::wstring(name);
    if (!SetWindowSubclass(window, NamedControlProc, kNameSubclassId,
                           reinterpret_cast<DWORD_PTR>(kept))) {
        delete kept;
        return;
    }
    SetPropW(window, kNameProperty, kept);
}

}  // namespace

void SetButtonName(HWND button, const std::wstring& name) {
    SetWindowTextW(button, name.c_str());
}

void SetAccessibleName(HWND control, const std::wstring& name) {
    if (control == nullptr) {
        return;
    }
    NameWindow(control, name);
    // The edit field of a combo box is what has the focus while the user types.
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    if (GetComboBoxInfo(control, &combo) && combo.hwndItem && combo.hwndItem != control) {
        NameWindow(combo.hwndItem, name);
    }
}
