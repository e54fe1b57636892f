// Form1's two lower buttons: "Send" posts the line, "m" swaps the window for the floating button.
#include "Form1.h"

#include "ControlIds.h"
#include "Korvelix6o.h"
#include "SendAction.h"
#include "window/Text.h"

namespace quillon {

namespace {

std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    return ToU16(text);
}

} // namespace

SendInputs Form1::ReadSendInputs() const {
    SendInputs in;
    in.check1 = CheckValue(IDC_CHECK1);
    in.check2 = CheckValue(IDC_CHECK2);
    in.check3 = CheckValue(IDC_CHECK3);
    in.check4 = CheckValue(IDC_CHECK4);
    for (int column = 1; column <= 4; ++column)
        in.swatches[column - 1] = SwatchColour(column);
    in.line = WindowText(Control(IDC_TEXT1));  // the characters typed, without their look
    in.font = WindowText(Control(IDC_COMBO1)); // exactly as typed
    return in;
}

void Form1::Command1_Click() {
    const auto message = BuildSendMessage(ReadSendInputs());
    if (!message)
        return;

    // The line stays in the box when it did not reach a room, so the user can send it again.
    if (!Post(*message) || ended_)
        return;
    HWND text1 = Control(IDC_TEXT1);
    SetWindowTextW(text1, L"");
    if (IsWindowVisible(hwnd_))
        SetFocus(text1);
}

void Form1::Command2_Click() {
    ShowWindow(hwnd_, SW_HIDE);
    if (!form2_)
        form2_ = Form2::Show(instance_, [this] { Form2_Unloaded(); });
}

void Form1::Form2_Unloaded() {
    form2_ = nullptr;
    if (ended_ || closeRequested_)
        return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

} // namespace quillon
