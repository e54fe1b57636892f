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
    // Faults of a client, for trying what an automation does when the client misbehaves.
    int busyMs = 0;    // hangs this long inside Enter before taking the line
    int faultFrom = 1; // busy and exit apply from this received line on (counted from 1)
    bool exitOnEnter = false;
    int claimLength = -1; // the chat input's answer to WM_GETTEXTLENGTH; -1: the real length
    bool renderReferences = false; // the transcript shows &#937; as the character
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::wstring error; // empty when every argument was understood
};

// args excludes the program name.
ParsedOptions ParseOptions(const std::vector<std::wstring>& args);

// What the options are, for --help and for a command line that was not understood.
extern const wchar_t kUsage[];

// Caption of the n-th room (counted from 1): the first keeps the plain name.
std::wstring RoomCaption(const std::wstring& roomName, int n);
