// Form1's popup menu of fades: the gallery, the user's own, saving, deleting and the start fade.
// The menu is made afresh each time it opens; its command ids keep their meaning until then.
#pragma once

#include "FadeBook.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quillon {

struct FadeCommand {
    enum class Kind { Choose, Delete, Save, StartWith, StartFromDesign };
    Kind kind;
    std::u16string name; // the fade chosen or deleted
};

class FadeMenu {
  public:
    static constexpr int kFirstId = 30000; // above control ids, dialog commands, IDM_SAVE_FADE

    // startName: the fade "Start with this fade" names, or nothing when it has to ask for one.
    // canSave: the window shows a fade to save. canWrite: there is a place for the file.
    HMENU Make(const fades::FadeBook& book, const std::optional<std::u16string>& startName,
               bool canSave, bool canWrite);
    // What an id of the last menu made (or IDM_SAVE_FADE) stands for.
    std::optional<FadeCommand> Command(int id) const;

  private:
    int Add(FadeCommand command);
    std::vector<FadeCommand> commands_; // id - kFirstId
};

// A fade's name as a menu item shows it: an ampersand is no mnemonic.
std::wstring MenuLabel(std::u16string_view name);

} // namespace quillon
