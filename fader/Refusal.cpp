#include "Refusal.h"

#include "WendrikFaderV2.h"

#include <cstdio>
#include <string>
#include <utility>

namespace WendrikFaderV2 {

namespace {

// Until the UI wires its message box the library only notes the refusal on stderr: a portable
// library must not block, and in a GUI process without a console this goes nowhere.
void WriteToStderr(std::u16string_view message) {
    std::string narrow;
    for (char16_t c : message)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    std::fprintf(stderr, "Fade: %s\n", narrow.c_str());
}

RefusalPresenter& Presenter() {
    static RefusalPresenter presenter = WriteToStderr;
    return presenter;
}

} // namespace

RefusalPresenter SetRefusalPresenter(RefusalPresenter presenter) {
    return std::exchange(Presenter(),
                         presenter ? std::move(presenter) : RefusalPresenter(WriteToStderr));
}

void Refuse(std::u16string_view message) {
    // A copy: a message box runs a message loop, in which the presenter may be swapped.
    const RefusalPresenter presenter = Presenter();
    presenter(message);
}

} // namespace WendrikFaderV2
