#include "ClientText.h"

#include "AnsiText.h"
#include "Korvelix6o.h"

#include <algorithm>
#include <cstring>

namespace Korvelix6o {

namespace {
// GetText on its own (outside a post) gives up on a client that does not answer within this.
constexpr auto kReadBound = std::chrono::seconds(2);
constexpr std::size_t kFirstCaptionBytes = 256;
} // namespace

// The text can grow between the two questions (the user types on): the buffer has a byte to
// spare, and a text that fills it is read again at its new length.
std::optional<AnsiRead> ReadText(HWND window, Clock::time_point deadline) {
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        const auto claimed = SendBounded(window, WM_GETTEXTLENGTH, 0, deadline);
        if (!claimed)
            return std::nullopt;
        const auto n = static_cast<std::size_t>(
            std::clamp<LRESULT>(*claimed, 0, static_cast<LRESULT>(kMaxTextBytes)));
        std::string buffer(n + 2, '\0');
        const auto copied = SendBounded(window, WM_GETTEXT, n + 2, deadline, &buffer);
        if (!copied)
            return std::nullopt;
        // Neither the count it answers nor the length it claimed is trusted beyond the buffer.
        const auto answered = strnlen(
            buffer.data(), static_cast<std::size_t>(std::clamp<LRESULT>(*copied, 0, n + 1)));
        const bool grew = answered > n;
        if (grew && n < kMaxTextBytes && attempt < kTries)
            continue;
        buffer.resize(std::min(answered, n));
        const bool whole = !grew && (n < kMaxTextBytes || answered < n);
        return AnsiRead{std::move(buffer), whole};
    }
}

std::optional<bool> IsEmpty(HWND window, Clock::time_point deadline) {
    const auto length = SendBounded(window, WM_GETTEXTLENGTH, 0, deadline);
    if (!length)
        return std::nullopt;
    return *length <= 0;
}

bool WriteText(HWND window, const std::string& ansi, Clock::time_point deadline,
               std::shared_ptr<const LateSend>* late) {
    std::string text = ansi;
    const auto set = SendBounded(window, WM_SETTEXT, 0, deadline, &text, late);
    return set && *set == TRUE;
}

std::u16string GetText(HWND window) {
    const auto read = ReadText(window, Clock::now() + kReadBound);
    return read ? FromAnsi(read->text) : std::u16string();
}

// No length is asked first: for a window of another process GetWindowTextA reads the title the
// platform keeps and sends the window nothing, so a hung client cannot hold us here. The buffer
// grows only while the title fills it, up to the bound.
std::u16string GetCaption(HWND window) {
    // Wine fills the buffer with whatever was there for a handle that names no window.
    if (!IsWindow(window))
        return {};
    std::string buffer;
    for (std::size_t size = kFirstCaptionBytes;; size *= 2) {
        size = std::min(size, kMaxTextBytes + 1);
        buffer.assign(size, '\0');
        const int copied =
            std::max(GetWindowTextA(window, buffer.data(), static_cast<int>(size)), 0);
        buffer.resize(std::min(static_cast<std::size_t>(copied), size - 1));
        // Two bytes short of full: a double-byte character may not have fitted.
        if (buffer.size() + 2 < size || size > kMaxTextBytes)
            break;
    }
    return FromAnsi(buffer);
}

} // namespace Korvelix6o
