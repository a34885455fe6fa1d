#include "win32/accessible_name.h"

#include "host/windows_text.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

namespace accessible_name {
namespace {

struct Texts {
    std::wstring name;
    std::wstring description;
    // 0: the system's role.
    long role = 0;
};

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (out == nullptr)
        return E_INVALIDARG;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The system's accessible object of a control with the name and description replaced.
class Named final : public IAccessible {
public:
    Named(IAccessible* standard, const Texts& texts) : standard_(standard), texts_(texts) {}
    Named(const Named&) = delete;
    Named& operator=(const Named&) = delete;

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The system object's other faces (its window, its children's enumeration).
        return standard_->QueryInterface(id, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&count_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&count_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }

    // IAccessible: the name and description of the control itself; the rest as the system has it.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return IsSelf(child) && !texts_.name.empty() ? Answer(texts_.name, name)
                                                     : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return IsSelf(child) && !texts_.description.empty()
                   ? Answer(texts_.description, description)
                   : standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || texts_.role == 0)
            return standard_->get_accRole(child, role);
        if (role == nullptr)
            return E_INVALIDARG;
        ::VariantInit(role);
        role->vt = VT_I4;
        role->lVal = texts_.role;
        return S_OK;
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
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
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
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
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
    ~Named() { standard_->Release(); }

    IAccessible* standard_;
    Texts texts_;
    LONG count_ = 1;
};

constexpr UINT_PTR SubclassId = 0x41434e; // "ACN"
// The control's texts hang on it as a window property, where a later Set finds them.
constexpr wchar_t TextsProperty[] = L"TessarinAccessibleTexts";

Texts* TextsOf(HWND control) {
    return static_cast<Texts*>(::GetPropW(control, TextsProperty));
}

LRESULT CALLBACK Answering(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    Texts* texts = TextsOf(control);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && texts != nullptr) {
        IAccessible* standard = nullptr;
        if (SUCCEEDED(::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&standard)))) {
            auto* named = new Named(standard, *texts);
            const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, named);
            named->Release();
            return result;
        }
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, Answering, SubclassId);
        ::RemovePropW(control, TextsProperty);
        delete texts;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

// The window's texts, made and hung on it when it has none yet; nullptr when that fails.
Texts* Attached(HWND control) {
    if (Texts* known = TextsOf(control))
        return known;
    auto* made = new Texts;
    if (!::SetPropW(control, TextsProperty, made)) {
        delete made;
        return nullptr;
    }
    if (!::SetWindowSubclass(control, Answering, SubclassId, 0)) {
        ::RemovePropW(control, TextsProperty);
        delete made;
        return nullptr;
    }
    return made;
}

} // namespace

void Set(HWND control, const std::string& name, const std::string& description) {
    const bool known = TextsOf(control) != nullptr;
    Texts* texts = Attached(control);
    if (texts == nullptr)
        return;
    texts->name = host::windows::Widen(name);
    texts->description = host::windows::Widen(description);
    if (known)
        NameChanged(control);
}

void SetRole(HWND window, long role) {
    if (Texts* texts = Attached(window))
        texts->role = role;
}

void NameChanged(HWND window) {
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace accessible_name
