#include "ChatLog.h"

#include <gtest/gtest.h>

namespace {

TEST(EscapeLogLine, BackslashAndLineEndsAreWrittenAsEscapes) {
    EXPECT_EQ(EscapeLogLine("plain <b>text</b>"), "plain <b>text</b>");
    EXPECT_EQ(EscapeLogLine("a\\b"), "a\\\\b");
    EXPECT_EQ(EscapeLogLine("a\r\nb"), "a\\r\\nb");
    EXPECT_EQ(EscapeLogLine("\\r"), "\\\\r"); // a typed "\r" stays apart from a real CR
    EXPECT_EQ(EscapeLogLine(""), "");
    EXPECT_EQ(EscapeLogLine(std::string("\xE9\x00z", 3)), std::string("\xE9\x00z", 3));
}

TEST(ToAnsi, ConvertsToTheAnsiCodePage) {
    EXPECT_EQ(ToAnsi(L"abc"), "abc");
    EXPECT_EQ(ToAnsi(L""), "");
    if (GetACP() == 1252) {
        EXPECT_EQ(ToAnsi(L"caf\u00e9"), "caf\xE9");
    }
}

} // namespace
