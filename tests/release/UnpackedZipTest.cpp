// The release zip alone is enough: its quillon.exe, started from the folder the zip was unpacked
// into, in a Wine prefix that has seen nothing else of the project, greets the chat room and
// says goodbye.
// usage: unpacked_zip_test <folder the zip was unpacked into> [GoogleTest flags]
#include "ControlIds.h"
#include "Expect.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <set>
#include <string>

namespace {

std::wstring g_folder;

std::set<std::wstring> FilesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::wstring ImageOf(HANDLE process) {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = static_cast<DWORD>(std::size(path));
    return QueryFullProcessImageNameW(process, 0, path, &size) ? path : L"";
}

TEST(UnpackedZip, ItsQuillonRunsFromItsFolderBesideTheChatClient) {
    ASSERT_EQ(FilesIn(g_folder),
              (std::set<std::wstring>{L"LICENSE", L"README.txt", L"quillon.exe"}))
        << "the folder holds the zip's contents and nothing else";

    PracticeRoom room({L"--name", L"Zip User"});
    QuillonApp app(g_folder + L"\\quillon.exe");
    EXPECT_EQ(CompareStringOrdinal(ImageOf(app.Process()).c_str(), -1,
                                   (g_folder + L"\\quillon.exe").c_str(), -1, TRUE),
              CSTR_EQUAL)
        << "the program running is the unpacked one";
    ASSERT_TRUE(room.WaitForLines(2, 10000));
    const auto lines = room.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Announcement(u"Quillon -=- by Korvelix"));
    EXPECT_EQ(lines[1], Announcement(u"Loaded by: [zip user]"));

    app.ClickLabel(quillon::IDC_LABEL2);
    ASSERT_TRUE(room.WaitForLines(3, 10000));
    EXPECT_EQ(room.Lines()[2], Announcement(u"Quillon -=- [unloaded]"));
    EXPECT_TRUE(app.WaitForExit(10000));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fwprintf(stderr, L"usage: unpacked_zip_test <folder the zip was unpacked into>\n");
        return 2;
    }
    g_folder = argv[1];
    while (!g_folder.empty() && (g_folder.back() == L'\\' || g_folder.back() == L'/'))
        g_folder.pop_back();
    return RUN_ALL_TESTS();
}
