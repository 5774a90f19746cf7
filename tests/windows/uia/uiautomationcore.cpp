// A stand-in for uiautomationcore.dll in the Wine prefix of the Windows
// tests (Wine's own says no client listens, and has no notifications). It
// says a client listens, unless DALVIMO_UIA_LISTENING is 0, and writes what
// a client would receive to the file DALVIMO_UIA_LOG names, a line each:
//   said "TEXT" | KIND | PROCESSING | ACTIVITY | the sender's window
//   focus "NAME" CONTROL TYPE [value "…"] [description "…"]
//   disconnected the sender | disconnected another element
// A focus event is read as NVDA reads it: once the program is back in its
// message loop (a message posted to itself), and only if the element still
// has the focus then. It answers Qt's own calls too (Qt loads it from the
// system folder).

#include <windows.h>

#include <ole2.h>
#include <uiautomationcore.h>

#include <string>
#include <utility>
#include <vector>

// IValueProvider, which the compiler's headers lack. Not in the unnamed
// namespace: GCC would take a type only this file can see as one no
// object outside it has, and drop the calls.
struct IValueProvider : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR *) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL *) = 0;
};

namespace {

// Identifiers the compiler's headers lack.
constexpr LPARAM kUiaRootObjectId = -25;
constexpr EVENTID kFocusChanged = 20005;
constexpr PROPERTYID kControlType = 30003, kName = 30005, kHasKeyboardFocus = 30008, kFullDescription = 30159;
constexpr PATTERNID kValuePattern = 10002;
constexpr IID kIValueProvider = {0xc7935180, 0x6fb3, 0x4201, {0xb1, 0x74, 0x7d, 0xf7, 0x3a, 0xdb, 0xf6, 0x4a}};
const wchar_t *const kKinds[] = {L"ItemAdded", L"ItemRemoved", L"ActionCompleted", L"ActionAborted", L"Other"};
const wchar_t *const kProcessing[] = {L"ImportantAll", L"ImportantMostRecent", L"All", L"MostRecent",
                                      L"CurrentThenMostRecent"};

HWND g_hostAskedFor = nullptr;              // the window of the last host provider asked for
IRawElementProviderSimple *g_returned = nullptr; // the element the last WM_GETOBJECT answered with
IRawElementProviderSimple *g_sender = nullptr;   // the last notification's
std::vector<IRawElementProviderSimple *> g_focused; // focus events not read yet

std::wstring variable(const wchar_t *name)
{
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n < 1024 ? std::wstring(value, n) : std::wstring();
}

void record(const std::wstring &line)
{
    const std::wstring path = variable(L"DALVIMO_UIA_LOG");
    const std::wstring text = line + L"\n";
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr), 0);
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), int(utf8.size()), nullptr, nullptr);
    const HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(f, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    CloseHandle(f);
}

std::wstring text(BSTR s)
{
    return s ? std::wstring(s, SysStringLen(s)) : std::wstring();
}

std::wstring named(const wchar_t *const (&names)[5], int value)
{
    return value >= 0 && value < 5 ? names[value] : std::to_wstring(value);
}

std::wstring controlType(int id)
{
    switch (id) {
    case 50000: return L"Button";
    case 50002: return L"CheckBox";
    case 50003: return L"ComboBox";
    case 50004: return L"Edit";
    case 50019: return L"TabItem";
    case 50020: return L"Text";
    default: return L"control type " + std::to_wstring(id);
    }
}

// ` what "text"`, or nothing for an empty text.
std::wstring field(const wchar_t *what, const std::wstring &text)
{
    return text.empty() ? std::wstring() : L" " + std::wstring(what) + L" \"" + text + L"\"";
}

std::wstring property(IRawElementProviderSimple *element, PROPERTYID id)
{
    VARIANT v;
    VariantInit(&v);
    std::wstring out;
    if (FAILED(element->GetPropertyValue(id, &v)))
        return out;
    if (v.vt == VT_BSTR)
        out = text(v.bstrVal);
    else if (v.vt == VT_I4) // the one number asked for
        out = controlType(v.lVal);
    else if (v.vt == VT_BOOL)
        out = v.boolVal ? L"yes" : L"no";
    VariantClear(&v);
    return out;
}

std::wstring value(IRawElementProviderSimple *element)
{
    IUnknown *pattern = nullptr;
    IValueProvider *provider = nullptr;
    std::wstring out;
    if (SUCCEEDED(element->GetPatternProvider(kValuePattern, &pattern)) && pattern
        && SUCCEEDED(pattern->QueryInterface(kIValueProvider, reinterpret_cast<void **>(&provider)))) {
        BSTR shown = nullptr;
        if (SUCCEEDED(provider->get_Value(&shown)))
            out = text(shown);
        SysFreeString(shown);
        provider->Release();
    }
    if (pattern)
        pattern->Release();
    return out;
}

// The sender's window as a reader finds it: through its host provider,
// then asking the window for its element as Narrator does.
std::wstring window(IRawElementProviderSimple *element)
{
    g_hostAskedFor = nullptr;
    IRawElementProviderSimple *host = nullptr;
    if (SUCCEEDED(element->get_HostRawElementProvider(&host)) && host)
        host->Release();
    const HWND w = g_hostAskedFor;
    if (!w)
        return L"no window";
    RECT r{};
    GetClientRect(w, &r);
    g_returned = nullptr;
    const bool answers = SendMessageW(w, WM_GETOBJECT, 0, kUiaRootObjectId) != 0 && g_returned == element;
    return std::wstring(IsWindowVisible(w) ? L"visible " : L"hidden ") + std::to_wstring(r.right - r.left) + L"x"
        + std::to_wstring(r.bottom - r.top) + L" child of " + std::to_wstring(reinterpret_cast<ULONG_PTR>(GetParent(w)))
        + (answers ? L", answering WM_GETOBJECT" : L", not answering WM_GETOBJECT");
}

LRESULT CALLBACK readFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    for (IRawElementProviderSimple *element : std::exchange(g_focused, {})) {
        if (property(element, kHasKeyboardFocus) == L"yes")
            record(L"focus \"" + property(element, kName) + L"\" " + property(element, kControlType)
                   + field(L"value", value(element)) + field(L"description", property(element, kFullDescription)));
        element->Release();
    }
    return 0;
}

HWND reader()
{
    static const HWND hwnd = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = readFocus;
        c.lpszClassName = L"UiaStandInReader";
        RegisterClassW(&c);
        return CreateWindowW(c.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }();
    return hwnd;
}

} // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening()
{
    return variable(L"DALVIMO_UIA_LISTENING") != L"0";
}

// Hosts nothing; remembers which window was asked for.
__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND hwnd, IRawElementProviderSimple **out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    g_hostAskedFor = hwnd;
    return S_OK;
}

__declspec(dllexport) LRESULT WINAPI UiaReturnRawElementProvider(HWND, WPARAM, LPARAM,
                                                                 IRawElementProviderSimple *element)
{
    g_returned = element;
    return element ? 1 : 0;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple *element, EVENTID id)
{
    if (!element || id != kFocusChanged)
        return S_OK;
    element->AddRef();
    g_focused.push_back(element);
    PostMessageW(reader(), WM_APP, 0, 0);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple *, PROPERTYID,
                                                                            VARIANT, VARIANT)
{
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseNotificationEvent(IRawElementProviderSimple *element, int kind,
                                                               int processing, BSTR said, BSTR activity)
{
    if (!element)
        return E_INVALIDARG;
    g_sender = element;
    record(L"said \"" + text(said) + L"\" | " + named(kKinds, kind) + L" | " + named(kProcessing, processing) + L" | "
           + text(activity) + L" | " + window(element));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaDisconnectProvider(IRawElementProviderSimple *element)
{
    record(element == g_sender ? L"disconnected the sender" : L"disconnected another element");
    return S_OK;
}

} // extern "C"
