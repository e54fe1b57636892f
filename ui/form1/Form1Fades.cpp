// Fades in Form1: the popup menu (a right-click on the face, Shift+F10, the menu key), choosing a
// fade, saving the window's fade under a name (also Ctrl+S), deleting one, and the start fade.
//
// "Start with this fade" names the fade that a start would show exactly as the window shows it
// now: the fade last chosen or saved if it still does, else any saved or built-in fade that does
// (a built-in one over the design style and font). When none does, it asks for a name and saves
// the window's fade first.
//
// The file is changed on the store worker's thread, and each change goes on as a chain of steps
// as its results come back: a save whose name is taken asks before it replaces, and "Start with
// this fade" that had to save first starts with the fade in the same job. While one change is
// asked for or made, the others are refused with a word, so no question is answered against a
// book that another change is about to alter.
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
using Job = fades::StoreWorker::Job;

// A result that comes while a modal loop runs is looked for again this often.
constexpr UINT kFadesNewsRetryMs = 100;

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
    // Read here, before the window shows: the start fade is its first look.
    fades::Loaded loaded = fadeStore_->Load();
    fadeWorker_ = std::make_unique<fades::StoreWorker>(*fadeStore_, hwnd_, kFadesNews);
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
    inFadeMenu_ = true;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_,
                   nullptr);
    inFadeMenu_ = false;
    DestroyMenu(menu);
    // A result that came while the menu was open is taken before the command picked in it.
    if (hwnd_ && !ended_)
        OnFadesNews();
}

void Form1::OnMenuCommand(int id) {
    const auto command = fadeMenu_.Command(id);
    if (!command || closing_ || ended_)
        return;
    if (command->kind == FadeCommand::Kind::Choose) {
        ChooseFade(command->name);
        return;
    }
    if (!fadeStore_ || !fadeWorker_)
        return;
    if (fadeAsking_ || fadeChanging_) {
        if (IsWindowVisible(hwnd_))
            notice_.Show(Control(IDC_TEXT1), L"Quillon is still making your last change to its "
                                             L"fades. Nothing was changed; try again in a moment.");
        return;
    }
    switch (command->kind) {
    case FadeCommand::Kind::Save:
        if (IsWindowVisible(hwnd_))
            SaveFade(false);
        break;
    case FadeCommand::Kind::Delete:
        DeleteFade(command->name);
        break;
    case FadeCommand::Kind::StartWith:
        StartWithThisFade();
        break;
    case FadeCommand::Kind::StartFromDesign:
        ChangeFades(Job::SetStart(std::nullopt));
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

void Form1::SaveFade(bool thenStart) {
    auto fade = CurrentFade();
    if (!fade) {
        notice_.Show(Control(IDC_CHECK2),
                     L"Colour 4 is on without colour 3, so there is no fade to save.");
        return;
    }
    AskNameAndSave(std::move(*fade), fades::FindBuiltIn(chosenFade_) ? u"" : chosenFade_,
                   thenStart);
}

void Form1::AskNameAndSave(fades::Fade fade, const std::u16string& suggestion, bool thenStart) {
    fadeAsking_ = true;
    const auto name = AskFadeName(instance_, hwnd_, suggestion);
    fadeAsking_ = false;
    if (!name || !FadesStillWanted()) // cancelled, or the program ended meanwhile
        return;
    fade.name = *name;
    ChangeFades(Job::Save(std::move(fade), fades::Replace::No, thenStart));
}

void Form1::StartWithThisFade() {
    const auto fade = CurrentFade();
    if (!fade) {
        notice_.Show(Control(IDC_CHECK2),
                     L"Colour 4 is on without colour 3, so there is no fade to start with.");
        return;
    }
    if (const auto name = NameShowing(*fade))
        ChangeFades(Job::SetStart(*name));
    else
        SaveFade(true);
}

void Form1::DeleteFade(const std::u16string& name) {
    const std::wstring question = L"Delete the fade " + Quoted(name) + L"?";
    fadeAsking_ = true;
    const int answer = MessageBoxW(hwnd_, question.c_str(), L"Delete fade",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    fadeAsking_ = false;
    if (answer != IDYES || !FadesStillWanted())
        return;
    ChangeFades(Job::Delete(name));
}

void Form1::ChangeFades(Job job) {
    fadeChanging_ = true;
    fadeWorker_->Hand(std::move(job));
}

bool Form1::FadesStillWanted() const {
    return hwnd_ && !closing_ && !ended_ && fadeWorker_;
}

// Results are taken outside modal loops only: the question that may follow one must not open
// inside a dialog, a drag or the menu, whose own commands still refer to the book they were
// made from.
void Form1::OnFadesNews() {
    if (!fadeWorker_ || ended_)
        return;
    if (inFadeMenu_ || !IsWindowEnabled(hwnd_) || GetCapture()) {
        SetTimer(hwnd_, kFadesNewsTimer, kFadesNewsRetryMs, nullptr);
        return;
    }
    KillTimer(hwnd_, kFadesNewsTimer);
    for (fades::StoreWorker::Done& done : fadeWorker_->TakeDone()) {
        fadeChanging_ = false;
        FinishFadeChange(done);
    }
}

void Form1::FinishFadeChange(fades::StoreWorker::Done& done) {
    Job& job = done.job;
    if (job.kind == Job::Kind::Save && done.update.outcome == Outcome::NameTaken) {
        fades_ = std::move(done.update.book);
        if (!FadesStillWanted())
            return;
        const std::wstring question =
            L"A fade named " + Quoted(job.fade.name) + L" is saved already. Replace it?";
        fadeAsking_ = true;
        const int answer = MessageBoxW(hwnd_, question.c_str(), L"Save this fade",
                                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        fadeAsking_ = false;
        if (!FadesStillWanted())
            return;
        if (answer == IDYES)
            ChangeFades(Job::Save(job.fade, fades::Replace::Yes, job.thenStart));
        else
            AskNameAndSave(job.fade, job.fade.name, job.thenStart); // another name, then
        return;
    }
    if (!Took(done.update))
        return;
    if (job.kind == Job::Kind::Save)
        chosenFade_ = job.fade.name;
    if (done.start)
        Took(*done.start);
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
    case Outcome::Full:
        add(u"Quillon keeps at most " + ToU16(std::to_wstring(fades::FadeBook::kMaxFades)) +
            u" fades, in a file of at most " +
            ToU16(std::to_wstring(fades::FadeBook::kMaxFileBytes / 1024)) +
            u" KB: delete a fade first. Nothing was changed.");
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
