#include "FadeMenu.h"

#include "Gallery.h"
#include "resource.h"

namespace quillon {

namespace {

UINT Enabled(bool on) {
    return on ? MF_ENABLED : MF_GRAYED;
}

} // namespace

std::wstring MenuLabel(std::u16string_view name) {
    std::wstring label;
    for (const char16_t c : name) {
        if (c == u'&')
            label += L'&';
        label += static_cast<wchar_t>(c);
    }
    return label;
}

int FadeMenu::Add(FadeCommand command) {
    commands_.push_back(std::move(command));
    return kFirstId + static_cast<int>(commands_.size()) - 1;
}

HMENU FadeMenu::Make(const fades::FadeBook& book, const std::optional<std::u16string>& startName,
                     bool canSave, bool canWrite) {
    commands_.clear();
    HMENU menu = CreatePopupMenu();
    HMENU deletions = CreatePopupMenu();
    const auto& start = book.Start();
    auto addChoice = [&](std::u16string_view name) {
        const UINT checked = start && *start == name ? MF_CHECKED : MF_UNCHECKED;
        const int id = Add({FadeCommand::Kind::Choose, std::u16string(name)});
        AppendMenuW(menu, MF_STRING | checked, id, MenuLabel(name).c_str());
    };
    for (const fades::BuiltInFade& fade : fades::Gallery())
        addChoice(fade.name);
    if (!book.Saved().empty())
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const fades::Fade& fade : book.Saved()) {
        addChoice(fade.name);
        const int id = Add({FadeCommand::Kind::Delete, fade.name});
        AppendMenuW(deletions, MF_STRING, id, MenuLabel(fade.name).c_str());
    }

    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | Enabled(canSave && canWrite), IDM_SAVE_FADE,
                L"&Save this fade\u2026\tCtrl+S");
    AppendMenuW(menu, MF_POPUP | Enabled(canWrite && !book.Saved().empty()),
                reinterpret_cast<UINT_PTR>(deletions), L"&Delete");

    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::wstring startWith = startName
                                       ? L"S&tart with \u201C" + MenuLabel(*startName) + L"\u201D"
                                       : std::wstring(L"S&tart with this fade\u2026");
    const int startWithId = Add({FadeCommand::Kind::StartWith, u""});
    AppendMenuW(menu, MF_STRING | Enabled(canSave && canWrite), startWithId, startWith.c_str());
    const int designId = Add({FadeCommand::Kind::StartFromDesign, u""});
    AppendMenuW(menu, MF_STRING | Enabled(canWrite) | (start ? MF_UNCHECKED : MF_CHECKED), designId,
                L"Start from the design &values");
    return menu;
}

std::optional<FadeCommand> FadeMenu::Command(int id) const {
    if (id == IDM_SAVE_FADE)
        return FadeCommand{FadeCommand::Kind::Save, u""};
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(commands_.size()))
        return std::nullopt;
    return commands_[static_cast<std::size_t>(index)];
}

} // namespace quillon
