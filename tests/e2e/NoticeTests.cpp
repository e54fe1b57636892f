// What became of a Send that did not post: a balloon at the text line, its own words for each
// cause, gone when the user types; never a modal box. A Send that went through leaves none.
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace quillon;

namespace {

struct Cause {
    const char* name;
    std::vector<std::wstring> room; // practice room options; none at all for "no client"
    bool noClient = false;
    DWORD failsWithinMs = 10000; // by when the line is back in the box
};

TEST(Notices, EachFailedSendSaysWhyInABalloonThatTypingClears) {
    const std::vector<Cause> causes = {
        {"no client", {}, true},
        {"no room", {L"--rooms", L"0"}},
        {"kept in the input", {L"--never-empty", L"--fault-from", L"3"}, false, 20000},
        {"client gone", {L"--exit-on-enter", L"--fault-from", L"3"}},
    };
    std::set<std::wstring> texts;
    for (const Cause& cause : causes) {
        SCOPED_TRACE(cause.name);
        std::unique_ptr<PracticeRoom> room;
        if (!cause.noClient)
            room = std::make_unique<PracticeRoom>(cause.room);
        QuillonApp app;
        if (room && cause.room[1] != L"0") {
            ASSERT_TRUE(room->WaitForLines(2, 15000));
        }
        EXPECT_EQ(app.Notice(), nullptr);
        app.SetText(L"will it go");
        app.Press(IDC_COMMAND1);
        // The line comes back, and with it the notice.
        static DWORD failsWithin;
        failsWithin = cause.failsWithinMs;
        ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Text() == L"will it go"; },
                                  failsWithin));
        EXPECT_TRUE(
            app.WaitUntil([](const QuillonApp& a) { return a.Notice() != nullptr; }, 10000));
        const std::wstring text = app.NoticeText();
        EXPECT_FALSE(text.empty());
        texts.insert(text);
        EXPECT_EQ(app.Dialog(), nullptr) << "no modal box";

        // Well within the 8 s after which it goes by itself.
        PostMessageW(app.Control(IDC_TEXT1), WM_CHAR, L'!', 1);
        EXPECT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Notice() == nullptr; }, 4000))
            << "typing clears the notice";
    }
    EXPECT_EQ(texts.size(), causes.size()) << "each cause in its own words";
}

TEST(Notices, ASendThatWentThroughShowsNone) {
    PracticeRoom room;
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    app.SetText(L"fine");
    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    Settle(1000);
    EXPECT_EQ(app.Notice(), nullptr);
    EXPECT_EQ(app.Text(), L"");
}

} // namespace
