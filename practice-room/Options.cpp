#include "Options.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>

const wchar_t kUsage[] =
    L"practice-room [options]\n"
    L"  --name NAME          screen name shown in the welcome window (Blue Fox)\n"
    L"  --rooms N            number of chat rooms, 0 to 20 (1)\n"
    L"  --room-name NAME     caption of the first room (Town Square)\n"
    L"  --no-welcome         no welcome window\n"
    L"  --log FILE           append every received line to FILE\n"
    L"  --empty-delay MS     empty the input MS ms after taking a line\n"
    L"  --never-empty        never empty the input\n"
    L"  --close-on-line      close the room when it takes a line\n"
    L"Faults:\n"
    L"  --busy-ms MS         stay busy MS ms inside Enter before taking the line, answering\n"
    L"                       nothing meanwhile (a hung client)\n"
    L"  --fault-from K       --busy-ms and --exit-on-enter apply from the K-th received line\n"
    L"                       on (1)\n"
    L"  --exit-on-enter      end the process inside Enter without taking the line (a crash)\n"
    L"  --claim-length N     the chat input answers WM_GETTEXTLENGTH with N, far beyond\n"
    L"                       what it holds. Wine works the length out itself for ANSI\n"
    L"                       callers in other processes, so there only callers in this\n"
    L"                       process and Unicode ones see the claim; on Windows every\n"
    L"                       caller does\n"
    L"  --render-refs        the transcript shows numeric character references (&#937;\n"
    L"                       &#x3A9;) as the characters, as HTML does\n"
    L"  --help               this text\n";

namespace {

constexpr long kMaxNumber = 100000000;

bool ParseNumber(const std::wstring& text, int& out) {
    if (text.empty() || text[0] == L'-' || text[0] == L'+' || std::iswspace(text[0]))
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (errno != 0 || *end != L'\0' || value > kMaxNumber)
        return false;
    out = static_cast<int>(value);
    return true;
}

enum class Kind { Flag, Text, Number };

struct Switch {
    const wchar_t* name;
    Kind kind;
    bool Options::*flag = nullptr;
    bool flagValue = true;
    std::wstring Options::*text = nullptr;
    int Options::*number = nullptr;
};

const Switch kSwitches[] = {
    {.name = L"--no-welcome", .kind = Kind::Flag, .flag = &Options::welcome, .flagValue = false},
    {.name = L"--never-empty", .kind = Kind::Flag, .flag = &Options::neverEmpty},
    {.name = L"--close-on-line", .kind = Kind::Flag, .flag = &Options::closeOnLine},
    {.name = L"--exit-on-enter", .kind = Kind::Flag, .flag = &Options::exitOnEnter},
    {.name = L"--render-refs", .kind = Kind::Flag, .flag = &Options::renderReferences},
    {.name = L"--help", .kind = Kind::Flag, .flag = &Options::help},
    {.name = L"--name", .kind = Kind::Text, .text = &Options::name},
    {.name = L"--room-name", .kind = Kind::Text, .text = &Options::roomName},
    {.name = L"--log", .kind = Kind::Text, .text = &Options::logPath},
    {.name = L"--rooms", .kind = Kind::Number, .number = &Options::rooms},
    {.name = L"--empty-delay", .kind = Kind::Number, .number = &Options::emptyDelayMs},
    {.name = L"--busy-ms", .kind = Kind::Number, .number = &Options::busyMs},
    {.name = L"--fault-from", .kind = Kind::Number, .number = &Options::faultFrom},
    {.name = L"--claim-length", .kind = Kind::Number, .number = &Options::claimLength},
};

const Switch* Find(const std::wstring& arg) {
    for (const Switch& known : kSwitches)
        if (arg == known.name)
            return &known;
    return nullptr;
}

} // namespace

ParsedOptions ParseOptions(const std::vector<std::wstring>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const Switch* known = Find(arg == L"-h" || arg == L"/?" ? L"--help" : arg);
        if (!known) {
            parsed.error = L"unknown option: " + arg;
            return parsed;
        }
        if (known->kind == Kind::Flag) {
            options.*known->flag = known->flagValue;
            continue;
        }
        if (i + 1 == args.size()) {
            parsed.error = arg + L" needs a value";
            return parsed;
        }
        const std::wstring& value = args[++i];
        if (known->kind == Kind::Text) {
            options.*known->text = value;
        } else if (!ParseNumber(value, options.*known->number)) {
            parsed.error = arg + L" takes a whole number from 0, not \"" + value + L"\"";
            return parsed;
        }
    }
    if (options.faultFrom < 1)
        parsed.error = L"--fault-from counts lines from 1";
    // A room count beyond what anyone can look at only exhausts window handles.
    if (options.rooms > 20)
        options.rooms = 20;
    return parsed;
}

std::wstring RoomCaption(const std::wstring& roomName, int n) {
    return n <= 1 ? roomName : roomName + L" " + std::to_wstring(n);
}
