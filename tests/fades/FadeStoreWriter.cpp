// Another Quillon as far as the fades file can tell.
//   fade-store-writer FOLDER save PREFIX COUNT  saves PREFIX0 .. PREFIX<COUNT-1>; exit 0 if all
//   saved fade-store-writer FOLDER crash NAME         dies between writing the new file and moving
//   it
#include "FadeStore.h"

#include <windows.h>

#include <string>

using namespace quillon::fades;

namespace {

Fade Named(const std::wstring& name) {
    return {std::u16string(name.begin(), name.end()),
            {{0x12, 0x34, 0x56}, {0xAB, 0xCD, 0xEF}, {0, 0, 0}},
            Style::FirstBold,
            u"Courier New"};
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return 2;
    FadeStore store(argv[1]);
    const std::wstring command = argv[2];
    if (command == L"crash") {
        store.SetBeforeReplace([] { TerminateProcess(GetCurrentProcess(), 99); });
        store.Save(Named(argv[3]), Replace::No);
        return 3; // not reached when the hook ran
    }
    if (command == L"save" && argc == 5) {
        const int count = std::stoi(argv[4]);
        for (int i = 0; i < count; ++i)
            if (store.Save(Named(argv[3] + std::to_wstring(i)), Replace::No).outcome !=
                Outcome::Done)
                return 1;
        return 0;
    }
    return 2;
}
