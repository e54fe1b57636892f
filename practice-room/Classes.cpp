#include "Classes.h"

#include <richedit.h>

#include <algorithm>
#include <string>

namespace {

WNDPROC g_richBase = nullptr;
int g_richExtraOffset = 0; // our slot after the rich edit's own extra bytes
int g_claimedLength = -1;

// The text a caller last set, kept while the control still shows what that produced: a
// single-line rich edit may drop or rewrite CR and LF, but callers must read back what they wrote.
struct RawText {
    std::wstring raw;
    std::wstring shown;
};

RawText* RawOf(HWND window) {
    return reinterpret_cast<RawText*>(GetWindowLongPtrW(window, g_richExtraOffset));
}

std::wstring ShownText(HWND window) {
    const auto length = CallWindowProcW(g_richBase, window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const auto copied = CallWindowProcW(g_richBase, window, WM_GETTEXT, text.size(),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

// The raw text when it still stands for what the control shows; null otherwise.
const std::wstring* CurrentRaw(HWND window) {
    RawText* raw = RawOf(window);
    if (!raw || raw->raw == raw->shown)
        return nullptr;
    if (ShownText(window) != raw->shown) {
        raw->raw.clear(); // edited since: the control's own text counts again
        raw->shown.clear();
        return nullptr;
    }
    return &raw->raw;
}

bool IsEditable(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & ES_READONLY) == 0;
}

LRESULT CALLBACK RichProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, g_richExtraOffset, reinterpret_cast<LONG_PTR>(new RawText));
        break;
    case WM_NCDESTROY: {
        const LRESULT result = CallWindowProcW(g_richBase, window, message, wParam, lParam);
        delete RawOf(window);
        SetWindowLongPtrW(window, g_richExtraOffset, 0);
        return result;
    }
    case WM_CHAR:
        // Enter sends the line; it never becomes a line break in the input.
        if (IsEditable(window) && wParam == L'\r') {
            SendMessageW(GetParent(window), kLineEntered, 0, reinterpret_cast<LPARAM>(window));
            return 0; // the room may have been destroyed by now: touch nothing
        }
        if (IsEditable(window) && wParam == L'\n')
            return 0;
        break;
    case WM_SETTEXT: {
        const LRESULT result = CallWindowProcW(g_richBase, window, message, wParam, lParam);
        if (RawText* raw = RawOf(window)) {
            raw->raw = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            raw->shown = ShownText(window);
        }
        return result;
    }
    case WM_GETTEXTLENGTH:
        if (g_claimedLength >= 0 && IsEditable(window))
            return g_claimedLength;
        if (const std::wstring* raw = CurrentRaw(window))
            return static_cast<LRESULT>(raw->size());
        break;
    case WM_GETTEXT:
        if (const std::wstring* raw = CurrentRaw(window)) {
            if (wParam == 0 || lParam == 0)
                return 0;
            const std::size_t count = std::min<std::size_t>(raw->size(), wParam - 1);
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            raw->copy(buffer, count);
            buffer[count] = L'\0';
            return static_cast<LRESULT>(count);
        }
        break;
    }
    return CallWindowProcW(g_richBase, window, message, wParam, lParam);
}

// Listbox, button and static need nothing of their own beyond their class name.
template <int Slot> struct Plain {
    static inline WNDPROC base = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(base, window, message, wParam, lParam);
    }
};

bool RegisterSuperclass(HINSTANCE instance, const wchar_t* baseClass, const wchar_t* name,
                        WNDPROC proc, WNDPROC& base, int extraBytes = 0) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(nullptr, baseClass, &wc) && !GetClassInfoExW(instance, baseClass, &wc))
        return false;
    base = wc.lpfnWndProc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    wc.cbWndExtra += extraBytes;
    return RegisterClassExW(&wc) != 0;
}

} // namespace

std::wstring RichText(HWND window) {
    if (const std::wstring* raw = CurrentRaw(window))
        return *raw;
    return ShownText(window);
}

bool RegisterControlClasses(HINSTANCE instance, int claimedLength) {
    g_claimedLength = claimedLength;
    WNDCLASSEXW rich{};
    rich.cbSize = sizeof rich;
    if (!GetClassInfoExW(nullptr, RICHEDIT_CLASSW, &rich))
        return false;
    g_richExtraOffset = rich.cbWndExtra;
    return RegisterSuperclass(instance, RICHEDIT_CLASSW, kRichClass, RichProc, g_richBase,
                              sizeof(LONG_PTR)) &&
           RegisterSuperclass(instance, L"LISTBOX", kListClass, Plain<0>::Proc, Plain<0>::base) &&
           RegisterSuperclass(instance, L"BUTTON", kIconClass, Plain<1>::Proc, Plain<1>::base) &&
           RegisterSuperclass(instance, L"STATIC", kStaticClass, Plain<2>::Proc, Plain<2>::base);
}
