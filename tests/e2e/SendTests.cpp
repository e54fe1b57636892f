// The Send button through the program's real controls, checked against what the room received.
#include "ControlIds.h"
#include "Expect.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quillon;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kBlack = RGB(0, 0, 0);

// One practice room and one running program for the whole suite: starting Wine programs is slow.
class Send : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        room_ = std::make_unique<PracticeRoom>();
        app_ = std::make_unique<QuillonApp>();
        ASSERT_TRUE(room_->WaitForLines(2, 10000));
    }
    static void TearDownTestSuite() {
        app_.reset();
        room_.reset();
    }

    // Presses Send and returns the line the room received; "" when nothing arrived.
    static std::string SendAndReceive(const std::wstring& line) {
        const std::size_t before = room_->Lines().size();
        app_->SetText(line);
        app_->Press(IDC_COMMAND1);
        if (!room_->WaitForLines(before + 1, 5000))
            return "";
        app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 10000);
        return room_->Lines().at(before);
    }

    static void Options(bool colour3, bool colour4, bool firstBold, bool allBold) {
        app_->SetCheck(IDC_CHECK1, colour3);
        app_->SetCheck(IDC_CHECK2, colour4);
        app_->SetCheck(IDC_CHECK3, firstBold);
        app_->SetCheck(IDC_CHECK4, allBold);
    }

    static inline std::unique_ptr<PracticeRoom> room_;
    static inline std::unique_ptr<QuillonApp> app_;
};

// Runs first: nothing has been touched yet.
TEST_F(Send, AFreshWindowSendsItsOwnTextInBlack) {
    EXPECT_EQ(app_->Text(), L"type here");
    EXPECT_EQ(app_->FontText(), L"Arial");
    for (int id : {IDC_CHECK1, IDC_CHECK2, IDC_CHECK3, IDC_CHECK4})
        EXPECT_FALSE(app_->Checked(id));
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(app_->Swatch(column), 0u) << "swatch " << column << " starts black";
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(app_->Slider(n), 1) << "slider " << n << " starts one step from the left";

    const std::size_t before = room_->Lines().size();
    app_->Press(IDC_COMMAND1);
    ASSERT_TRUE(room_->WaitForLines(before + 1, 5000));
    std::string expected = "<font face=Arial>";
    for (char c : std::string("type here"))
        expected += std::string("<font color=#000000>") + c;
    EXPECT_EQ(room_->Lines()[before], expected + "</font>");
    ASSERT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 10000));
    EXPECT_EQ(app_->Focus(), app_->Control(IDC_TEXT1)) << "the text box has the focus again";
}

TEST_F(Send, SlidersMixTheirColumnIntoItsSwatchAlone) {
    app_->SetColour(1, RGB(255, 0, 0));
    EXPECT_EQ(app_->Swatch(1), 255u);
    app_->SetColour(2, RGB(0, 128, 0));
    EXPECT_EQ(app_->Swatch(2), 32768u);
    app_->SetColour(4, RGB(255, 255, 255));
    EXPECT_EQ(app_->Swatch(4), 16777215u);
    app_->SetColour(3, RGB(1, 2, 3));
    EXPECT_EQ(app_->Swatch(3), RGB(1, 2, 3));
    EXPECT_EQ(app_->Swatch(1), 255u) << "moving COL 3 leaves the others alone";
    EXPECT_EQ(app_->Swatch(2), 32768u);
    EXPECT_EQ(app_->Swatch(4), 16777215u);
    app_->SetColour(3, RGB(0, 0, 0));
    EXPECT_EQ(app_->Swatch(3), 0u) << "a component can go back to 0";

    // Every step of a thumb drag repaints the swatch, not only the end.
    HWND bar = app_->Control(HScrollId(12));
    for (int value : {0, 17, 128, 255}) {
        SendMessageW(app_->Form1(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, value),
                     reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(GetBValue(app_->Swatch(4)), value);
    }
}

TEST_F(Send, PlainAndAllBoldWithTwoColours) {
    app_->SetColour(1, kRed);
    app_->SetColour(2, kBlue);
    app_->SetColour(3, kGreen); // not used while the colour boxes are clear
    Options(false, false, false, false);
    EXPECT_EQ(SendAndReceive(L"abc"), "<font face=Arial><font color=#FF0000>a<font "
                                      "color=#AA0055>b<font color=#5500AA>c</font>");
    EXPECT_EQ(app_->Text(), L"");
    Options(false, false, false, true);
    EXPECT_EQ(SendAndReceive(L"abc"), "<b><font face=Arial><font color=#FF0000>a<font "
                                      "color=#AA0055>b<font color=#5500AA>c</font></b>");
}

TEST_F(Send, FirstBoldWinsOverAllBold) {
    app_->SetColour(1, kRed);
    app_->SetColour(2, kBlue);
    Options(false, false, true, true);
    EXPECT_EQ(SendAndReceive(L"hello big world"),
              "<font face=Arial><font color=#FF0000><b>h</b><font color=#000000>ello <font "
              "color=#AA0055><b>b</b><font color=#000000>ig <font color=#5500AA><b>w</b><font "
              "color=#000000>orld</font>");
}

TEST_F(Send, ThreeColoursWithColourThreeTicked) {
    app_->SetColour(1, kRed);
    app_->SetColour(2, kGreen);
    app_->SetColour(3, kBlue);
    app_->SetColour(4, kBlack);
    Options(true, false, true, false);
    EXPECT_EQ(SendAndReceive(L"I have 2 cats"),
              "<font face=Arial><font color=#FF0000><b>I</b><font color=#000000> <font "
              "color=#808000><b>h</b><font color=#000000>ave <font color=#00FF00><b>2</b><font "
              "color=#000000> <font color=#008080><b>c</b><font color=#000000>ats</font>");
}

TEST_F(Send, FourColoursWithBothColourBoxesTicked) {
    app_->SetColour(1, kRed);
    app_->SetColour(2, kGreen);
    app_->SetColour(3, kBlue);
    app_->SetColour(4, kBlack);
    Options(true, true, false, false);
    std::string expected = "<font face=Arial>";
    const char* codes[] = {"FF0000", "B24C00", "669900", "00FF00", "00B24C",
                           "006699", "0000FF", "0000B2", "000066", "000000"};
    for (int i = 0; i < 10; ++i)
        expected += std::string("<font color=#") + codes[i] + ">" + char('a' + i);
    EXPECT_EQ(SendAndReceive(L"abcdefghij"), expected + "</font>");
}

TEST_F(Send, ColourFourWithoutColourThreeDoesNothing) {
    Options(false, true, false, false);
    const std::size_t before = room_->Lines().size();
    app_->SetText(L"not this one");
    app_->Press(IDC_COMMAND1);
    Settle(1500);
    EXPECT_EQ(room_->Lines().size(), before);
    EXPECT_EQ(app_->Text(), L"not this one");
}

TEST_F(Send, TypedFontNameGoesIntoTheTagUnchanged) {
    Options(false, false, false, true);
    app_->SetFont(L"Comic Sans MS");
    const std::string line = SendAndReceive(L"hey");
    EXPECT_EQ(line.rfind("<b><font face=Comic Sans MS><font color=", 0), 0u) << line;
    app_->SetFont(L"Arial");
}

TEST_F(Send, EnterInTheTextBoxPressesSend) {
    Options(false, false, false, false);
    const std::size_t before = room_->Lines().size();
    app_->SetText(L"by enter");
    PostMessageW(app_->Control(IDC_TEXT1), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(app_->Control(IDC_TEXT1), WM_KEYUP, VK_RETURN, 0xC01C0001);
    ASSERT_TRUE(room_->WaitForLines(before + 1, 5000));
    EXPECT_NE(room_->Lines()[before].find(">b<"), std::string::npos);
}

TEST_F(Send, ARefusedLineIsShownAndThenPostedUnfaded) {
    Options(false, false, false, false);
    const std::size_t before = room_->Lines().size();
    app_->SetText(L"a"); // one character, two colours
    app_->Press(IDC_COMMAND1);
    ASSERT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return !a.DialogText().empty(); }, 10000))
        << "the refusal shows a message box";
    EXPECT_EQ(app_->DialogText(), L"Please input more text!");
    wchar_t title[16] = {};
    GetWindowTextW(app_->Dialog(), title, 16);
    EXPECT_STREQ(title, L"Fade");
    app_->AnswerDialog(IDOK);
    ASSERT_TRUE(room_->WaitForLines(before + 1, 5000));
    EXPECT_EQ(room_->Lines()[before], "<font face=Arial>a</font>");
}

} // namespace
