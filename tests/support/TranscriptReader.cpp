#include "TranscriptReader.h"

#include "PracticeRoom.h"

#include <algorithm>
#include <stdexcept>

TranscriptReader::TranscriptReader(const PracticeRoom& room)
    : edit_(room.Transcript()),
      process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           room.ProcessId())) {
    if (!edit_ || !process_)
        throw std::runtime_error("transcript reader: no transcript or no access to the room");
}

TranscriptReader::~TranscriptReader() {
    if (lent_)
        VirtualFreeEx(process_, lent_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

void TranscriptReader::Lend(std::size_t bytes) {
    if (bytes <= size_)
        return;
    if (lent_)
        VirtualFreeEx(process_, lent_, 0, MEM_RELEASE);
    lent_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    size_ = lent_ ? bytes : 0;
    if (!lent_)
        throw std::runtime_error("transcript reader: the room lent no memory");
}

std::wstring TranscriptReader::Text() {
    // WM_GETTEXTLENGTH counts CR LF per paragraph: room enough for one CR each.
    const auto length = static_cast<std::size_t>(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0));
    Lend(sizeof(TEXTRANGEW) + (length + 1) * sizeof(wchar_t));
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(lent_) + sizeof(TEXTRANGEW));
    TEXTRANGEW range{{0, -1}, remoteText};
    WriteProcessMemory(process_, lent_, &range, sizeof range, nullptr);
    const auto copied = static_cast<std::size_t>(
        SendMessageW(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(lent_)));
    std::wstring text(std::min(copied, length), L'\0');
    ReadProcessMemory(process_, remoteText, text.data(), text.size() * sizeof(wchar_t), nullptr);
    return text;
}

CHARFORMAT2W TranscriptReader::Format(LONG from, LONG to) {
    Lend(sizeof(CHARFORMAT2W));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    WriteProcessMemory(process_, lent_, &format, sizeof format, nullptr);
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    SendMessageW(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(lent_));
    ReadProcessMemory(process_, lent_, &format, sizeof format, nullptr);
    return format;
}
