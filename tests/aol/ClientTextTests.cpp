// What crosses to the client's windows as text: characters its code page lacks, and windows
// that claim more text than any input could hold.
#include "AnsiText.h"
#include "ClientText.h"
#include "FakeClient.h"
#include "Korvelix6o.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

// The largest single allocation of this process since the last reset: a window that claims
// gigabytes of text must not get them from us.
namespace {
std::size_t largestAllocation = 0;
} // namespace

void* operator new(std::size_t size) {
    largestAllocation = std::max(largestAllocation, size);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace Korvelix6o;

namespace {

std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

TEST(ChatLineCharacters, BeyondTheCodePageGoAsOneReferencePerCodePoint) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the line below needs code page 1252";
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    SetWindowTextW(input, L"d\u00e9j\u00e0 vu \u20ac"); // a draft the code page holds
    const std::u16string line = u"\u03a9 caf\u00e9 \u2603 \u65e5\u672c \U0001F600 "
                                u"lone \xD800 and \xDC00, last \xD83D";
    EXPECT_TRUE(ChatSend(line).taken());
    ASSERT_EQ(Inputs().Lines().size(), 1u);
    EXPECT_EQ(Inputs().Lines()[0], L"&#937; caf\u00e9 &#9731; &#26085;&#26412; &#128512; "
                                 L"lone &#65533; and &#65533;, last &#65533;");
    EXPECT_EQ(TextOf(input), L"d\u00e9j\u00e0 vu \u20ac");
}

TEST(ChatLineCharacters, DoubleByteAndUtf8CodePagesConvertPerCharacter) {
    if (!IsValidCodePage(932) || !IsValidCodePage(CP_UTF8))
        GTEST_SKIP() << "code pages 932 and 65001 are not installed";
    // Shift-JIS holds the two kanji and the omega (two bytes each), not e-acute or the snowman.
    EXPECT_EQ(ToChatAnsi(u"\u65e5\u672c \u03a9 \u00e9 \u2603 \U0001F600", 932),
              "\x93\xfa\x96\x7b \x83\xb6 &#233; &#9731; &#128512;");
    EXPECT_EQ(ToChatAnsi(u"\u00e9\u65e5\U0001F600 \xD800", CP_UTF8),
              "\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80 &#65533;");
    EXPECT_EQ(ToChatAnsi(u"", 932), "");
}

TEST(ChatLineCharacters, ACharacterSplitByColourTagsGoesAsOne) {
    // As markup that colours each 16-bit unit gives it.
    EXPECT_EQ(ToChatAnsi(u"<font color=#FF0000>\xD83D<font color=#0000FF>\xDE00!", CP_UTF8),
              "<font color=#FF0000>\xf0\x9f\x98\x80<font color=#0000FF>!");
    if (IsValidCodePage(1252)) {
        EXPECT_EQ(ToChatAnsi(u"<b>\xD83D</b><i>\xDE00 \xD83D<x \xDE00", 1252),
                  "<b>&#128512;</b><i> &#65533;<x &#65533;");
    }
}

// An ANSI window procedure put over a window: its text is `content`. The boaster claims
// gigabytes of it, and WM_GETTEXT copies it as far as the buffer goes and claims that it filled
// it; the grower's text grows by a byte after each of the next `growths` questions about its
// length.
WNDPROC original = nullptr;
std::string content;
int growths = 0;

LRESULT CALLBACK Grower(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETTEXTLENGTH: {
        const auto length = static_cast<LRESULT>(content.size());
        if (growths > 0 && growths--)
            content += 'g';
        return length;
    }
    case WM_GETTEXT: {
        const std::size_t n = wp ? std::min<std::size_t>(content.size(), wp - 1) : 0;
        if (wp) {
            std::memcpy(reinterpret_cast<char*>(lp), content.data(), n);
            reinterpret_cast<char*>(lp)[n] = '\0';
        }
        return static_cast<LRESULT>(n);
    }
    case WM_SETTEXT:
        content = lp ? reinterpret_cast<const char*>(lp) : "";
        return TRUE;
    }
    return CallWindowProcA(original, w, msg, wp, lp);
}

LRESULT CALLBACK Boaster(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETTEXT:
        content = lp ? reinterpret_cast<const char*>(lp) : "";
        return TRUE;
    case WM_GETTEXTLENGTH:
        return 0x7FFFFFF0;
    case WM_GETTEXT: {
        if (wp == 0)
            return 0;
        const std::size_t n = std::min<std::size_t>(content.size(), wp - 1);
        std::memcpy(reinterpret_cast<char*>(lp), content.data(), n);
        reinterpret_cast<char*>(lp)[n] = '\0';
        return static_cast<LRESULT>(wp - 1);
    }
    }
    return CallWindowProcA(original, w, msg, wp, lp);
}

void Subclass(HWND w, WNDPROC proc, std::string text) {
    content = std::move(text);
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

void Boast(HWND w, std::string text) {
    Subclass(w, Boaster, std::move(text));
}

// The most any read may take: the bound in bytes, and its UTF-16 copy.
constexpr std::size_t kMostAllocated = sizeof(char16_t) * (kMaxTextBytes + 1);

TEST(ClaimedTextLength, GigabytesClaimedCostNoMoreThanTheBound) {
    FakeClient client;
    const HWND room = client.AddRoom(L"Town Square");
    const HWND input = Input(room);

    Boast(input, "hello");
    largestAllocation = 0;
    EXPECT_EQ(GetText(input), u"hello");
    EXPECT_LE(largestAllocation, kMostAllocated);

    Boast(room, std::string(3 * kMaxTextBytes, 'x'));
    largestAllocation = 0;
    EXPECT_EQ(GetCaption(room).size(), kMaxTextBytes);
    EXPECT_LE(largestAllocation, kMostAllocated);
}

TEST(ClaimedTextLength, DraftLongerThanTheBoundIsLeftAloneAndNothingPosted) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    const std::string longDraft(kMaxTextBytes + 10, 'd');
    Boast(input, longDraft);
    largestAllocation = 0;
    const PostResult result = ChatSend(u"hi");
    EXPECT_LE(largestAllocation, kMostAllocated);
    EXPECT_FALSE(result.taken()); // we could not have put the whole draft back
    EXPECT_FALSE(result.held);
    EXPECT_TRUE(Inputs().Lines().empty());
    EXPECT_EQ(Inputs().Clears(), 0);
    EXPECT_EQ(content, longDraft); // no text was set over it
}

// The user types on while the draft is read: the read follows the text, and a text that keeps
// growing faster than it can be read is not taken for whole.
TEST(GrowingText, ReadFollowsAGrowingTextOrSaysItIsNotWhole) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    Subclass(input, Grower, "hello");
    growths = 1;
    auto read = ReadText(input, Clock::now() + std::chrono::seconds(2));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->whole);
    EXPECT_EQ(read->text, "hellog");

    growths = 100;
    read = ReadText(input, Clock::now() + std::chrono::seconds(2));
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->whole);

    // Growing at every question: the post leaves the draft alone rather than cut it.
    content = "hello";
    EXPECT_FALSE(ChatSend(u"hi").taken());
    EXPECT_TRUE(Inputs().Lines().empty());
    EXPECT_TRUE(content.starts_with("hello"));
    growths = 0;
}

TEST(RefusedText, AWriteTheControlRefusesIsAFailure) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    SetWindowTextW(input, L"hello");
    Inputs().refuseSetText = true;
    EXPECT_FALSE(WriteText(input, "x", Clock::now() + std::chrono::seconds(1)));
    const PostResult result = ChatSend(u"hi");
    EXPECT_FALSE(result.taken());
    EXPECT_TRUE(Inputs().Lines().empty()); // the line never got in: no carriage return for it
    EXPECT_EQ(TextOf(input), L"hello");
}

} // namespace
