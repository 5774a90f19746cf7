// UI Automation notifications, raised from a child window of the program's
// window, 1×1 pixel and visible: Narrator speaks a notification only when
// it comes from a visible element of a window that answers WM_GETOBJECT,
// and Qt's own elements are out of reach (its platform plugin exports
// nothing of them). The child window's element says nothing of itself and
// leaves every property to the window's host provider.

#include "toolkit/accessibility/platform_announcer.h"

#include "toolkit/controls/combo_box.h"

#include <QAccessible>
#include <QColor>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <windows.h>

#include <ole2.h>
#include <uiautomationcore.h>

#include <atomic>

namespace tk {
namespace {

// The compiler's headers predate notifications (Windows 10 1709), and
// their functions' declarations do not compile as C++.
constexpr long kUiaRootObjectId = -25;
constexpr HRESULT kElementNotAvailable = HRESULT(0x80040201); // UIA_E_ELEMENTNOTAVAILABLE
enum NotificationKind { NotificationKind_Other = 4 };
// Queued: a reader speaks each, never cutting the one before off.
enum NotificationProcessing { NotificationProcessing_All = 2 };

// Lets a reader's user tell this program's announcements from others'.
constexpr auto kActivityId = "Dalvimo.Announcement";
constexpr wchar_t kWindowClass[] = L"DalvimoAnnouncer";

template <class F>
void resolve(HMODULE module, const char *name, F &f)
{
    // Through void (*)(), which GCC takes as a match for any function type.
    f = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// UI Automation, looked up at run time: where a function is missing (Windows
// before 10 1709) the program runs, silent.
struct Uia {
    BOOL(WINAPI *clientsAreListening)() = nullptr;
    HRESULT(WINAPI *hostProviderFromHwnd)(HWND, IRawElementProviderSimple **) = nullptr;
    LRESULT(WINAPI *returnRawElementProvider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple *) = nullptr;
    HRESULT(WINAPI *raiseNotificationEvent)(IRawElementProviderSimple *, NotificationKind, NotificationProcessing,
                                            BSTR, BSTR) = nullptr;
    HRESULT(WINAPI *disconnectProvider)(IRawElementProviderSimple *) = nullptr;

    static const Uia &get()
    {
        static const Uia uia = [] {
            Uia u;
            // From the system folder only, never from beside the program.
            if (HMODULE m = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
                resolve(m, "UiaClientsAreListening", u.clientsAreListening);
                resolve(m, "UiaHostProviderFromHwnd", u.hostProviderFromHwnd);
                resolve(m, "UiaReturnRawElementProvider", u.returnRawElementProvider);
                resolve(m, "UiaRaiseNotificationEvent", u.raiseNotificationEvent);
                resolve(m, "UiaDisconnectProvider", u.disconnectProvider);
            }
            return u;
        }();
        return uia;
    }

    bool listening() const
    {
        return clientsAreListening && hostProviderFromHwnd && returnRawElementProvider && raiseNotificationEvent
            && clientsAreListening();
    }
};

// A BSTR for the length of one call.
class Bstr {
public:
    explicit Bstr(const QString &s)
        : m_text(SysAllocStringLen(reinterpret_cast<const OLECHAR *>(s.utf16()), UINT(s.size())))
    {
    }
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    BSTR get() const { return m_text; }

private:
    BSTR m_text;
};

// The element of the child window: the sender of the notifications.
class Sender final : public IRawElementProviderSimple {
public:
    explicit Sender(HWND hwnd) : m_hwnd(hwnd) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IRawElementProviderSimple)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IRawElementProviderSimple *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions *out) override
    {
        if (!out)
            return E_POINTER;
        // Called on the window's thread, as Qt's own elements are.
        *out = ProviderOptions(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown **out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT *out) override
    {
        if (!out)
            return E_POINTER;
        VariantInit(out); // empty: the host provider answers
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple **out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return IsWindow(m_hwnd) ? Uia::get().hostProviderFromHwnd(m_hwnd, out) : kElementNotAvailable;
    }

private:
    ~Sender() = default;

    const HWND m_hwnd;
    std::atomic<ULONG> m_refs{1};
};

QAccessible::UpdateHandler g_qtUpdate = nullptr;

// Qt's UI Automation bridge raises a notification of its own for a
// drop-down's new item (Windows 10 1709 and later), at once, cutting off
// what the reader is saying, whether the user chose the item or a reply set
// it. The announcer says a chosen item under the rules it has for every
// text, so Qt's is left out; every other event goes on to Qt.
void update(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::ValueChanged && qobject_cast<const ComboBox *>(event->object())
        && static_cast<QAccessibleValueChangeEvent *>(event)->value().typeId() == QMetaType::QString
        && Uia::get().raiseNotificationEvent)
        return;
    if (g_qtUpdate)
        g_qtUpdate(event);
    else if (QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->notifyAccessibilityUpdate(event);
}

} // namespace

struct PlatformAnnouncer::Native {
    QPointer<QWidget> window;
    HWND hwnd = nullptr;
    Sender *sender = nullptr;
    HBRUSH background = nullptr;

    ~Native()
    {
        if (hwnd)
            DestroyWindow(hwnd);
        if (background)
            DeleteObject(background);
    }
    bool ready();
    void disconnect();
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The child window, made on first use; again after Qt has made the
// window's native window anew (the old one took the child with it).
bool PlatformAnnouncer::Native::ready()
{
    if (hwnd)
        return true;
    // Only the windows platform has native windows (the offscreen one of
    // the tests has none); and a window not yet shown has nothing to say.
    if (!window || QGuiApplication::platformName() != u"windows" || !window->internalWinId())
        return false;
    static const ATOM registered = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = proc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kWindowClass;
        return RegisterClassExW(&c);
    }();
    if (!registered)
        return false;
    if (!background) {
        const QColor c = window->palette().color(window->backgroundRole());
        background = CreateSolidBrush(RGB(c.red(), c.green(), c.blue()));
    }
    hwnd = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1,
                           reinterpret_cast<HWND>(window->internalWinId()), nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd)
        sender = new Sender(hwnd);
    return hwnd;
}

// The window goes: readers holding its element are told it is gone.
void PlatformAnnouncer::Native::disconnect()
{
    if (sender) {
        if (Uia::get().disconnectProvider)
            Uia::get().disconnectProvider(sender);
        sender->Release();
        sender = nullptr;
    }
    hwnd = nullptr;
}

LRESULT CALLBACK PlatformAnnouncer::Native::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams));
    auto *self = reinterpret_cast<Native *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_GETOBJECT:
        if (self && self->sender && static_cast<long>(lParam) == kUiaRootObjectId)
            return Uia::get().returnRawElementProvider(hwnd, wParam, lParam, self->sender);
        break;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the mouse goes to the window beneath
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: { // the window's own background colour
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(hwnd, &paint)) {
            if (self && self->background)
                FillRect(dc, &paint.rcPaint, self->background);
            EndPaint(hwnd, &paint);
        }
        return 0;
    }
    case WM_DESTROY:
        if (self)
            self->disconnect();
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

PlatformAnnouncer::PlatformAnnouncer(QWidget *window) : m_native(std::make_unique<Native>())
{
    m_native->window = window;
}

PlatformAnnouncer::~PlatformAnnouncer() = default;

void PlatformAnnouncer::prepare()
{
    if (QGuiApplication::platformName() == u"windows")
        g_qtUpdate = QAccessible::installUpdateHandler(update);
}

void PlatformAnnouncer::say(const QString &text)
{
    // With no reader listening nothing is raised; one that starts later
    // hears the next text.
    const Uia &uia = Uia::get();
    if (!uia.listening() || !m_native->ready())
        return;
    const Bstr shown(text);
    const Bstr activity(QString::fromLatin1(kActivityId));
    uia.raiseNotificationEvent(m_native->sender, NotificationKind_Other, NotificationProcessing_All, shown.get(),
                               activity.get());
}

} // namespace tk
