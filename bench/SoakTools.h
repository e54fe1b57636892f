// What the soaks share: their arguments, a process's private bytes, console text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

struct SoakSettings {
    int sends = 20;
    unsigned seed = 1;
};

// Reads "--sends N" and "--seed S" (in any order) and runs the soak; its exit code, 2 for a
// wrong argument, 1 for an exception. Output is unbuffered, so each finding shows as it happens.
int SoakMain(int argc, wchar_t** argv, const char* name,
             const std::function<int(const SoakSettings&)>& run);

// Private bytes in KB; Wine leaves PrivateUsage at 0 but keeps the commit charge, which Windows
// reports as the same number.
std::size_t PrivateKb(HANDLE process);

// Console output as UTF-8, whatever the code page.
std::string Utf8(const std::wstring& text);
