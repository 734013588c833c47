#include "platform/win32/AccessibleButton.h"

#include <new>
#include <utility>

#include "platform/win32/SystemFunctions.h"

namespace vandrel::win32 {

namespace {

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

}  // namespace

AccessibilityFunctions accessibilityFunctions(HMODULE oleacc) {
    AccessibilityFunctions functions;
    functions.createStandard =
        exportedFunction<AccessibilityFunctions::CreateStandard>(oleacc, "CreateStdAccessibleObject");
    functions.resultFromObject =
        exportedFunction<AccessibilityFunctions::ResultFromObject>(oleacc, "LresultFromObject");
    if (!functions) functions = {};
    return functions;
}

// The COM object itself. It holds the system's object for the window and
// answers the name and the role; every other question goes to the system's
// object. Once cut off from its window it answers RPC_E_DISCONNECTED, as a
// screen reader expects of a control that has gone.
class AccessibleButtonObject final : public IAccessible, public IOleWindow {
public:
    AccessibleButtonObject(HWND window, std::wstring name, ComPtr<IAccessible> standard)
        : window_(window), name_(std::move(name)), standard_(std::move(standard)) {}
    AccessibleButtonObject(const AccessibleButtonObject&) = delete;
    AccessibleButtonObject& operator=(const AccessibleButtonObject&) = delete;

    void disconnect() {
        window_ = nullptr;
        standard_.reset();
    }

    // IUnknown (one for both interfaces)
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, kAccessibleInterface)) {
            *object = static_cast<IAccessible*>(this);
        } else if (IsEqualIID(riid, IID_IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return forward([&](IAccessible& s) { return s.GetTypeInfoCount(count); });
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return forward([&](IAccessible& s) { return s.GetTypeInfo(index, locale, info); });
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return forward([&](IAccessible& s) { return s.GetIDsOfNames(riid, names, count, locale, ids); });
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override {
        return forward([&](IAccessible& s) {
            return s.Invoke(member, riid, locale, flags, parameters, result, exception, badArgument);
        });
    }

    // IAccessible: the name and the role are the menu's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!standard_) return RPC_E_DISCONNECTED;
        if (!isSelf(child) || name_.empty()) return standard_->get_accName(child, name);
        *name = SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (!standard_) return RPC_E_DISCONNECTED;
        if (!isSelf(child)) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    // IAccessible: the system's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return forward([&](IAccessible& s) { return s.get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return forward([&](IAccessible& s) { return s.get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return forward([&](IAccessible& s) { return s.get_accChild(child, object); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return forward([&](IAccessible& s) { return s.get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return forward([&](IAccessible& s) { return s.get_accDescription(child, description); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return forward([&](IAccessible& s) { return s.get_accState(child, state); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return forward([&](IAccessible& s) { return s.get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return forward([&](IAccessible& s) { return s.get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return forward([&](IAccessible& s) { return s.get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return forward([&](IAccessible& s) { return s.get_accFocus(child); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return forward([&](IAccessible& s) { return s.get_accSelection(children); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return forward([&](IAccessible& s) { return s.get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return forward([&](IAccessible& s) { return s.accSelect(flags, child); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return forward([&](IAccessible& s) { return s.accLocation(left, top, width, height, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return forward([&](IAccessible& s) { return s.accNavigate(direction, start, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return forward([&](IAccessible& s) { return s.accHitTest(x, y, child); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return forward([&](IAccessible& s) { return s.accDoDefaultAction(child); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return forward([&](IAccessible& s) { return s.put_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return forward([&](IAccessible& s) { return s.put_accValue(child, value); });
    }

    // IOleWindow: the window the object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return window_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~AccessibleButtonObject() = default;  // by Release only

    template <class Call>
    HRESULT forward(Call call) {
        return standard_ ? call(*standard_.get()) : RPC_E_DISCONNECTED;
    }

    LONG references_ = 1;  // the AccessibleButton's
    HWND window_;
    const std::wstring name_;
    ComPtr<IAccessible> standard_;
};

AccessibleButton::AccessibleButton(AccessibleButton&& other) noexcept
    : object_(std::exchange(other.object_, nullptr)) {}

AccessibleButton& AccessibleButton::operator=(AccessibleButton&& other) noexcept {
    if (this != &other) {
        reset();
        object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
}

void AccessibleButton::reset() {
    if (!object_) return;
    AccessibleButtonObject* object = std::exchange(object_, nullptr);
    object->disconnect();
    object->Release();
}

LRESULT AccessibleButton::answer(const AccessibilityFunctions& functions, HWND button, WPARAM wParam,
                                 const std::wstring& name) {
    if (!functions) return 0;
    if (!object_) {
        ComPtr<IAccessible> standard;
        if (FAILED(functions.createStandard(button, OBJID_CLIENT, kAccessibleInterface, standard.put()))) return 0;
        object_ = new (std::nothrow) AccessibleButtonObject(button, name, std::move(standard));
        if (!object_) return 0;
    }
    // LresultFromObject takes a reference of its own for the asker.
    const LRESULT result = functions.resultFromObject(kAccessibleInterface, wParam, static_cast<IAccessible*>(object_));
    return result > 0 ? result : 0;
}

}  // namespace vandrel::win32
