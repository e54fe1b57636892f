// Fades in Form1: the popup menu (a right-click on the face, Shift+F10, the menu key), choosing a
// fade, saving the window's fade under a name (also Ctrl+S), deleting one, and the start fade.
//
// "Start with this fade" names the fade that a start would show exactly as the window shows it
// now: the fade last chosen or saved if it still does, else any saved or built-in fade that does
// (a built-in one over the design style and font). When none does, it asks for a name and saves
// the window's fade first.
#include "Form1.h"

#include "ControlIds.h"
#include "FadeNameDialog.h"
#include "Gallery.h"
#include "Sliders.h"
#include "window/Text.h"

#include <windowsx.h>

namespace quillon {

namespace {

using fades::Outcome;

constexpr std::u16string_view kDesignFont = u"Arial";
constexpr fades::Style kDesignStyle = fades::Style::Plain;

fades::Colour FromPacked(WendrikFaderV2::Colour packed) {
    return {static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>(packed >> 8 & 0xFF),
            static_cast<std::uint8_t>(packed >> 16 & 0xFF)};
}

fades::Style FromFadeStyle(FadeStyle style) {
    switch (style) {
    case FadeStyle::FirstLetters:
        return fades::Style::FirstBold;
    case FadeStyle::Bold:
        return fades::Style::AllBold;
    case FadeStyle::Plain:
        break;
    }
    return fades::Style::Plain;
}

} // namespace

bool Form1::TranslateKeys(MSG& msg) {
    if (!hwnd_ || !keys_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)))
        return false;
    return TranslateAcceleratorW(hwnd_, keys_, &msg) != 0;
}

void Form1::LoadFades() {
    fadeStore_ = fades::FadeStore::ForUser();
    if (!fadeStore_)
        return;
    fades::Loaded loaded = fadeStore_->Load();
    fades_ = std::move(loaded.book);
    if (const auto look = fades_.StartLook()) {
        ApplyLook(*look);
        chosenFade_ = *fades_.Start();
    }
    TellAboutFades(fades::NoticeText(loaded.notice));
}

void Form1::TellAboutFades(const std::u16string& text) {
    if (text.empty())
        return;
    if (IsWindowVisible(hwnd_))
        notice_.Show(Control(IDC_TEXT1), ToWide(text));
    else
        pendingNotice_ = text;
}

void Form1::ShowPendingNotice() {
    if (pendingNotice_.empty() || !IsWindowVisible(hwnd_))
        return;
    notice_.Show(Control(IDC_TEXT1), ToWide(pendingNotice_));
    pendingNotice_.clear();
}

// A right-click on the face, or the keyboard from any control that has no menu of its own.
void Form1::OnContextMenu(HWND from, LPARAM where) {
    const bool keyboard = GET_X_LPARAM(where) == -1 && GET_Y_LPARAM(where) == -1;
    if (closing_ || ended_ || !IsWindowVisible(hwnd_))
        return;
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (!keyboard) {
        // A right-click on a control is the control's. The end of a right-button drag of the
        // title band comes here too, from the move loop that holds the mouse: not a click.
        POINT inside = at;
        ScreenToClient(hwnd_, &inside);
        if (from != hwnd_ || GetCapture() ||
            ChildWindowFromPointEx(hwnd_, inside, CWP_SKIPINVISIBLE) != hwnd_)
            return;
    }
    if (keyboard) {
        HWND anchor = GetFocus();
        if (!anchor || (anchor != hwnd_ && !IsChild(hwnd_, anchor)))
            anchor = hwnd_;
        RECT r{};
        GetWindowRect(anchor, &r);
        at = {r.left, anchor == hwnd_ ? r.top : r.bottom};
    }
    notice_.Hide();
    const auto fade = CurrentFade();
    HMENU menu = fadeMenu_.Make(fades_, fade ? NameShowing(*fade) : std::nullopt, fade.has_value(),
                                fadeStore_.has_value());
    // The command arrives as WM_COMMAND once the menu is closed.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_,
                   nullptr);
    DestroyMenu(menu);
}

void Form1::OnMenuCommand(int id) {
    const auto command = fadeMenu_.Command(id);
    if (!command || closing_ || ended_)
        return;
    if (command->kind == FadeCommand::Kind::Choose) {
        ChooseFade(command->name);
        return;
    }
    if (!fadeStore_)
        return;
    switch (command->kind) {
    case FadeCommand::Kind::Save:
        if (IsWindowVisible(hwnd_))
            SaveFade();
        break;
    case FadeCommand::Kind::Delete:
        DeleteFade(command->name);
        break;
    case FadeCommand::Kind::StartWith:
        StartWithThisFade();
        break;
    case FadeCommand::Kind::StartFromDesign:
        Took(fadeStore_->SetStart(std::nullopt));
        break;
    case FadeCommand::Kind::Choose:
        break;
    }
}

void Form1::ChooseFade(const std::u16string& name) {
    const auto look = fades_.Find(name);
    if (!look)
        return;
    ApplyLook(*look);
    chosenFade_ = name;
}

// Check boxes and font first, then each column through its sliders' own update, so the swatches,
// the preview and the next Send follow as they do for a drag.
void Form1::ApplyLook(const fades::Look& look) {
    auto setCheck = [&](int id, int value) {
        SendMessageW(Control(id), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    const auto [check1, check2] = fades::ColourChecks(look.colours.size());
    setCheck(IDC_CHECK1, check1);
    setCheck(IDC_CHECK2, check2);
    if (look.style) {
        const auto [check3, check4] = fades::StyleChecks(*look.style);
        setCheck(IDC_CHECK3, check3);
        setCheck(IDC_CHECK4, check4);
    }
    if (look.font)
        SetFontBox(*look.font);
    for (std::size_t k = 0; k < look.colours.size() && k < kColumnCount; ++k) {
        const int column = static_cast<int>(k) + 1;
        const int red = RedSliderOf(column);
        const fades::Colour colour = look.colours[k];
        SetScrollPos(Control(HScrollId(red)), SB_CTL, colour.red, TRUE);
        SetScrollPos(Control(HScrollId(red + 1)), SB_CTL, colour.green, TRUE);
        SetScrollPos(Control(HScrollId(red + 2)), SB_CTL, colour.blue, TRUE);
        UpdateColumn(column);
    }
}

// A face in the list is picked, so the preview shows it; any other name is typed in, as a user
// would.
void Form1::SetFontBox(const std::u16string& font) {
    HWND combo = Control(IDC_COMBO1);
    const std::wstring face = ToWide(font);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(face.c_str()));
    if (index != CB_ERR) {
        std::wstring listed(
            static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(listed.data()));
        if (listed == face) { // the search ignores case; the name must stay as saved
            SendMessageW(combo, CB_SETCURSEL, index, 0);
            Combo1_Click();
            return;
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(combo, face.c_str());
}

std::optional<fades::Fade> Form1::CurrentFade() const {
    const SendInputs in = ReadSendInputs();
    const auto count = ChooseColourCount(in.check1, in.check2);
    if (!count)
        return std::nullopt;
    fades::Fade fade;
    for (int k = 0; k < *count; ++k)
        fade.colours.push_back(FromPacked(in.swatches[static_cast<std::size_t>(k)]));
    fade.style = FromFadeStyle(ChooseStyle(in.check3, in.check4));
    fade.font = in.font;
    return fade;
}

std::optional<std::u16string> Form1::NameShowing(const fades::Fade& shown) const {
    auto shows = [&](std::u16string_view name) {
        const auto look = fades_.Find(name);
        return look && look->colours == shown.colours &&
               look->style.value_or(kDesignStyle) == shown.style &&
               look->font.value_or(std::u16string(kDesignFont)) == shown.font;
    };
    if (!chosenFade_.empty() && shows(chosenFade_))
        return chosenFade_;
    for (const fades::Fade& fade : fades_.Saved())
        if (shows(fade.name))
            return fade.name;
    for (const fades::BuiltInFade& fade : fades::Gallery())
        if (shows(fade.name))
            return std::u16string(fade.name);
    return std::nullopt;
}

std::optional<std::u16string> Form1::SaveFade() {
    auto fade = CurrentFade();
    if (!fade) {
        notice_.Show(Control(IDC_CHECK2),
                     L"Colour 4 is on without colour 3, so there is no fade to save.");
        return std::nullopt;
    }
    std::u16string suggestion = fades::FindBuiltIn(chosenFade_) ? u"" : chosenFade_;
    for (;;) {
        const auto name = AskFadeName(instance_, hwnd_, suggestion);
        if (!name || !hwnd_ || closing_) // cancelled, or the program ended meanwhile
            return std::nullopt;
        fade->name = *name;
        auto update = fadeStore_->Save(*fade, fades::Replace::No);
        if (update.outcome == Outcome::NameTaken) {
            const std::wstring question =
                L"A fade named " + Quoted(*name) + L" is saved already. Replace it?";
            const int answer = MessageBoxW(hwnd_, question.c_str(), L"Save this fade",
                                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
            if (!hwnd_ || closing_)
                return std::nullopt;
            if (answer != IDYES) {
                suggestion = *name; // another name, then
                continue;
            }
            update = fadeStore_->Save(*fade, fades::Replace::Yes);
        }
        if (!Took(update))
            return std::nullopt;
        chosenFade_ = *name;
        return name;
    }
}

void Form1::StartWithThisFade() {
    const auto fade = CurrentFade();
    if (!fade) {
        notice_.Show(Control(IDC_CHECK2),
                     L"Colour 4 is on without colour 3, so there is no fade to start with.");
        return;
    }
    auto name = NameShowing(*fade);
    if (!name)
        name = SaveFade();
    if (name && hwnd_ && !closing_)
        Took(fadeStore_->SetStart(*name));
}

void Form1::DeleteFade(const std::u16string& name) {
    const std::wstring question = L"Delete the fade " + Quoted(name) + L"?";
    const int answer = MessageBoxW(hwnd_, question.c_str(), L"Delete fade",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES || !hwnd_ || closing_)
        return;
    Took(fadeStore_->Delete(name));
}

// Keeps the fades as the file now holds them and tells what went wrong; true when the change is
// made (or there was nothing to change).
bool Form1::Took(const fades::Update& update) {
    const Outcome outcome = update.outcome;
    if (outcome != Outcome::Busy && outcome != Outcome::Failed)
        fades_ = update.book;
    std::u16string text = fades::NoticeText(update.notice);
    auto add = [&](std::u16string_view sentence) {
        text = std::u16string(sentence) + (text.empty() ? u"" : u" ") + text;
    };
    switch (outcome) {
    case Outcome::Done:
    case Outcome::Unchanged:
        break;
    case Outcome::Busy:
        text = u"Another Quillon is changing " + update.notice.file +
               u". Nothing was changed; try again in a moment.";
        break;
    case Outcome::Failed:
        add(u"Nothing was changed.");
        break;
    case Outcome::UnknownFade:
        add(u"That fade is no longer there.");
        break;
    case Outcome::BadFade:
        add(u"This fade cannot be saved: its font is not a font name Quillon can post.");
        break;
    case Outcome::NameTaken:
    case Outcome::BuiltInName:
    case Outcome::BadName:
        add(u"That name cannot be used.");
        break;
    }
    if (!text.empty() && IsWindowVisible(hwnd_))
        notice_.Show(Control(IDC_TEXT1), ToWide(text));
    return outcome == Outcome::Done || outcome == Outcome::Unchanged;
}

} // namespace quillon
