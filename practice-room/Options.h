// What the practice room was asked to be on its command line.
#pragma once

#include <string>
#include <vector>

struct Options {
    std::wstring name = L"Blue Fox";
    int rooms = 1;
    std::wstring roomName = L"Town Square";
    bool welcome = true;
    std::wstring logPath; // empty: no log
    int emptyDelayMs = 0; // 0: the input empties at once
    bool neverEmpty = false;
    bool closeOnLine = false;
};

// args excludes the program name. Unknown options and bad numbers are passed over.
Options ParseOptions(const std::vector<std::wstring>& args);

// Caption of the n-th room (counted from 1): the first keeps the plain name.
std::wstring RoomCaption(const std::wstring& roomName, int n);
