// The practice room's transcript as the room rendered it, read from another process: its text
// and the character format of any stretch of it. Rich edit messages that carry pointers are not
// carried across processes, so they are sent with memory lent by the room's own process.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>

class PracticeRoom;

class TranscriptReader {
  public:
    // Throws std::runtime_error when the room's memory cannot be had.
    explicit TranscriptReader(const PracticeRoom& room);
    ~TranscriptReader();
    TranscriptReader(const TranscriptReader&) = delete;
    TranscriptReader& operator=(const TranscriptReader&) = delete;

    // The whole text, each paragraph ended by one CR, so that an index is a character position.
    std::wstring Text();
    // The format of characters from..to-1. An attribute that differs inside the stretch (a
    // second colour, bold on part of it) is missing from the mask.
    CHARFORMAT2W Format(LONG from, LONG to);

  private:
    HWND edit_;
    HANDLE process_ = nullptr;
    void* lent_ = nullptr;
    std::size_t size_ = 0;
    void Lend(std::size_t bytes);
};
