// Linux programs started from a Wine test: real X input (xdotool) and screenshots (import).
#pragma once

#include <string>

// Runs a Linux command line (first word an absolute path) to its end; its exit code, or -1.
int RunUnix(const std::wstring& commandLine, unsigned timeoutMs = 20000);

// xdotool with the given arguments, e.g. L"mousemove 10 20 click 1".
bool Xdotool(const std::wstring& arguments);
