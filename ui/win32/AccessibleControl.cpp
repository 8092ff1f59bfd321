#include "AccessibleControl.h"

#include "LateBound.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <optional>

namespace quendra::win32 {

namespace {

// Active Accessibility's functions, loaded at the first request.
struct Library {
    HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    BSTR(WINAPI* sysAllocString)(const OLECHAR*) = nullptr;
};

const Library* library() {
    static const Library loaded = [] {
        // The object is handed to the reader through COM, which this thread must have joined.
        if (const auto initialize =
                lateBound<HRESULT(WINAPI*)(void*, DWORD)>(L"ole32.dll", "CoInitializeEx"))
            initialize(nullptr, COINIT_APARTMENTTHREADED);
        Library l;
        l.createStdAccessibleObject = lateBound<decltype(l.createStdAccessibleObject)>(
            L"oleacc.dll", "CreateStdAccessibleObject");
        l.lresultFromObject =
            lateBound<decltype(l.lresultFromObject)>(L"oleacc.dll", "LresultFromObject");
        l.sysAllocString = lateBound<decltype(l.sysAllocString)>(L"oleaut32.dll", "SysAllocString");
        return l;
    }();
    return loaded.createStdAccessibleObject && loaded.lresultFromObject && loaded.sysAllocString
               ? &loaded
               : nullptr;
}

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Windows' own object for the control, with the name, role and value from the source.
class NamedAccessible final : public IAccessible, public IOleWindow {
public:
    NamedAccessible(IAccessible* standard, HWND control, const AccessibleSource& source,
                    const Library& library)
        : standard_(standard), control_(control), source_(source), library_(library) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(IDispatch)) ||
            IsEqualIID(id, __uuidof(IAccessible)))
            *object = static_cast<IAccessible*>(this);
        else if (IsEqualIID(id, __uuidof(IOleWindow)))
            *object = static_cast<IOleWindow*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IOleWindow: which window this is, for WindowFromAccessibleObject.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
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
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                 argument);
    }

    // IAccessible: the control itself is described by the source where it says something, the
    // rest and its parts by Windows.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return answer(
            child, [&](const AccessibleFacts& f) { return textOrWindows(f.name, name); },
            [&] { return standard_->get_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return answer(
            child,
            [&](const AccessibleFacts& f) {
                return f.value ? textAnswer(*f.value, value) : kWindows;
            },
            [&] { return standard_->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return answer(
            child,
            [&](const AccessibleFacts& f) -> Answer {
                if (f.role == 0)
                    return kWindows;
                role->vt = VT_I4;
                role->lVal = f.role;
                return S_OK;
            },
            [&] { return standard_->get_accRole(child, role); });
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
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return answer(
            child,
            [&](const AccessibleFacts& f) { return textOrWindows(f.description, description); },
            [&] { return standard_->get_accDescription(child, description); });
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
    ~NamedAccessible() { standard_->Release(); }

    // An answer of the source's, or none where it leaves the question to Windows' object.
    using Answer = std::optional<HRESULT>;
    static constexpr std::nullopt_t kWindows = std::nullopt;

    // The control itself is answered from the source where it says something, its parts and the
    // rest by Windows' object. A reader may keep the object after the window is gone; the source
    // is asked only while the control lives.
    template <typename Own, typename Standard>
    HRESULT answer(const VARIANT& child, Own own, Standard standard) const {
        if (!isSelf(child))
            return standard();
        if (!IsWindow(control_))
            return E_FAIL;
        const Answer result = own(source_());
        return result ? *result : standard();
    }

    Answer textAnswer(const std::wstring& text, BSTR* out) const {
        *out = library_.sysAllocString(text.c_str());
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    // A name or description: where the source gives none, Windows' own.
    Answer textOrWindows(const std::wstring& text, BSTR* out) const {
        return text.empty() ? kWindows : textAnswer(text, out);
    }

    IAccessible* standard_;
    HWND control_;
    const AccessibleSource& source_;
    const Library& library_;
    std::atomic<ULONG> references_{1};
};

LRESULT CALLBACK accessibilityProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR source) {
    if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT)
        return DefSubclassProc(control, message, wParam, lParam);
    const Library* l = library();
    IAccessible* standard = nullptr;
    if (!l || FAILED(l->createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&standard))))
        return DefSubclassProc(control, message, wParam, lParam);
    auto* named = new NamedAccessible(standard, control,
                                      *reinterpret_cast<const AccessibleSource*>(source), *l);
    const LRESULT result =
        l->lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(named));
    named->Release();
    return result;
}

} // namespace

void answerAccessibility(HWND control, const AccessibleSource* source) {
    SetWindowSubclass(control, accessibilityProc, 0, reinterpret_cast<DWORD_PTR>(source));
}

} // namespace quendra::win32
