#include "FadeNameDialog.h"

#include "FadeName.h"
#include "Gallery.h"
#include "resource.h"
#include "window/Notice.h"
#include "window/Text.h"

#include <algorithm>

namespace quillon {

namespace {

constexpr int kTypedLimit = 200; // room for 40 characters of pairs and spaces to trim

struct Asking {
    std::u16string suggestion;
    std::optional<std::u16string> name;
    Notice notice;
};

// Over the window it asks for, inside the work area.
void CentreOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner)
        return;
    RECT box{}, over{};
    GetWindowRect(dialog, &box);
    GetWindowRect(owner, &over);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = box.right - box.left, height = box.bottom - box.top;
    auto place = [](int centred, int low, int high) {
        return std::max(low, std::min(centred, high));
    };
    const int x = place((over.left + over.right - width) / 2, work.left, work.right - width);
    const int y = place((over.top + over.bottom - height) / 2, work.top, work.bottom - height);
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TryName(HWND dialog, Asking& asking) {
    HWND edit = GetDlgItem(dialog, IDC_FADE_NAME);
    wchar_t typed[kTypedLimit + 1] = {};
    GetWindowTextW(edit, typed, kTypedLimit + 1);
    std::u16string name = fades::TrimName(ToU16(typed));
    if (const auto refusal = NameRefusal(name)) {
        asking.notice.Show(edit, ToWide(*refusal));
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }
    asking.name = std::move(name);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* asking = reinterpret_cast<Asking*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        asking = reinterpret_cast<Asking*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        CentreOverOwner(dialog);
        asking->notice.Attach(dialog);
        HWND edit = GetDlgItem(dialog, IDC_FADE_NAME);
        SendMessageW(edit, EM_LIMITTEXT, kTypedLimit, 0);
        SetWindowTextW(edit, ToWide(asking->suggestion).c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return TRUE; // the focus goes to the edit box, the first control
    }
    case WM_COMMAND:
        if (!asking)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            TryName(dialog, *asking);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_FADE_NAME:
            if (HIWORD(wParam) == EN_CHANGE)
                asking->notice.Hide();
            return TRUE;
        }
        return FALSE;
    case WM_MOVE:
        if (asking)
            asking->notice.Hide();
        return FALSE;
    }
    return FALSE;
}

} // namespace

std::optional<std::u16string> NameRefusal(const std::u16string& trimmed) {
    if (const auto problem = fades::CheckName(trimmed)) {
        switch (*problem) {
        case fades::NameProblem::Empty:
            return u"Give the fade a name.";
        case fades::NameProblem::TooLong:
            return u"A name has at most 40 characters.";
        case fades::NameProblem::BadCharacter:
            return u"A name cannot hold control characters, line breaks, marks that turn the "
                   u"writing direction or half of a character pair.";
        }
    }
    if (fades::FindBuiltIn(trimmed))
        return u"\u201C" + trimmed +
               u"\u201D is a built-in fade, and a built-in fade cannot be replaced. Choose "
               u"another name.";
    if (const fades::BuiltInFade* builtIn = fades::BuiltInLookingLike(trimmed))
        return u"\u201C" + trimmed + u"\u201D could pass for the built-in fade " +
               std::u16string(builtIn->name) + u". Choose another name.";
    return std::nullopt;
}

std::optional<std::u16string> AskFadeName(HINSTANCE instance, HWND owner,
                                          std::u16string_view suggestion) {
    Asking asking;
    asking.suggestion = suggestion;
    if (DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FADE_NAME), owner, DialogProc,
                        reinterpret_cast<LPARAM>(&asking)) != IDOK)
        return std::nullopt;
    return asking.name;
}

} // namespace quillon
