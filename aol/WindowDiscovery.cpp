// Finding the client's windows: its frame, the welcome window and the open chat room.
#include "ClientWindows.h"
#include "Korvelix6o.h"
#include "PendingEvents.h"

#include <string_view>

namespace Korvelix6o {

namespace {

constexpr std::u16string_view kWelcome = u"Welcome, ";

HWND Child(HWND parent, HWND after, const char* className) {
    return FindWindowExA(parent, after, className, nullptr);
}

// The screen name sits between "Welcome, " and the first "!"; without a "!" it is the rest.
std::u16string NameFromWelcome(const std::u16string& caption) {
    const std::size_t bang = caption.find(u'!', kWelcome.size());
    return caption.substr(kWelcome.size(), bang == std::u16string::npos ? std::u16string::npos
                                                                        : bang - kWelcome.size());
}

bool IsChatRoom(HWND inner) {
    const HWND first = Child(inner, nullptr, kRichTextClass);
    const HWND second = Child(inner, first, kRichTextClass);
    const HWND list = Child(inner, nullptr, kListClass);
    const HWND icon = Child(inner, nullptr, kIconClass);
    const HWND label = Child(inner, nullptr, kStaticClass);
    return first && second && list && icon && label;
}

} // namespace

std::u16string GetUser() {
    const HWND main = FindWindowA(kFrameClass, nullptr);
    const HWND area = Child(main, nullptr, kDesktopClass);
    HWND inner = Child(area, nullptr, kChildClass);
    std::u16string caption = GetCaption(inner);
    while (!caption.starts_with(kWelcome)) {
        inner = Child(area, inner, kChildClass);
        caption = GetCaption(inner);
        if (!caption.starts_with(kWelcome) && !inner)
            return {};
    }
    return NameFromWelcome(caption);
}

HWND FindRoom() {
    const HWND main = FindWindowA(kFrameClass, nullptr);
    const HWND area = Child(main, nullptr, kDesktopClass);
    HWND inner = Child(area, nullptr, kChildClass);
    if (IsChatRoom(inner))
        return inner;
    do {
        RunPendingEvents();
        inner = Child(area, inner, kChildClass);
        if (IsChatRoom(inner))
            return inner;
    } while (inner);
    return nullptr;
}

} // namespace Korvelix6o
