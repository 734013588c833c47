#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/win32/FatalReport.h"
#include "platform/win32/InstanceName.h"

#include <shellapi.h>

namespace vandrel::win32 {
namespace {

using test::childProgram;

constexpr DWORD kNo = 10;
constexpr DWORD kYes = 11;

class ProcessTest : public testing::Test {
protected:
    // A copy of the child program at `path` (in the scratch folder), in
    // folders made as needed; any length.
    void placeChild(const Text& path) {
        const Text extended = L"\\\\?\\";
        for (std::size_t at = folder_.path().size() + 1; (at = path.find(L'\\', at)) != Text::npos; ++at) {
            CreateDirectoryW((extended + path.substr(0, at)).c_str(), nullptr);
        }
        ASSERT_TRUE(CopyFileW(childProgram().c_str(), (extended + path).c_str(), FALSE)) << GetLastError();
    }

    Win32Platform platform_{GetModuleHandleW(nullptr)};
    test::ScratchFolder folder_{platform_};
};

TEST(InstanceName, IsFnv1aOfTheUtf16CodeUnits) {
    // ASCII text hashes as its bytes: the published FNV-1a 64 vectors.
    EXPECT_EQ(fnv1a64(L""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64(L"a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1a64(L"foobar"), 0x85944171f73967e8ull);
    // Each code unit is one step: 山 (U+5C71) is not its two bytes.
    EXPECT_NE(fnv1a64(L"\x5C71"), fnv1a64(L"\x0071\x005C"));
    EXPECT_EQ(instanceMutexName(L"a"), L"Local\\Vandrel.af63dc4c8601ec8c");
}

TEST_F(ProcessTest, StartedProgramGetsItsQuotedPathAndOurFolder) {
    // Spaces and Japanese in the folder and in the name.
    const Text program = folder_ / L"展開 ﾒﾆｭｰ\\Ten 0012 計算.exe";
    placeChild(program);
    const Text report = folder_ / L"started.txt";
    ASSERT_TRUE(SetEnvironmentVariableW(L"VANDREL_TEST_CHILD_OUT", report.c_str()));

    ASSERT_TRUE(platform_.startProgram(program).ok());

    ASSERT_TRUE(test::waitFor([&] { return !test::readUtf16File(report).empty(); }));
    wchar_t here[MAX_PATH * 4];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH * 4, here), 0u);
    EXPECT_EQ(test::readUtf16File(report), L"\"" + program + L"\"\n" + here);
}

TEST_F(ProcessTest, ProgramThatIsNotThereFailsToStart) {
    const Status missingFile = platform_.startProgram(folder_ / L"Ten0013.exe");
    ASSERT_FALSE(missingFile.ok());
    EXPECT_EQ(missingFile.operation(), "CreateProcessW");
    EXPECT_EQ(missingFile.systemCode(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    const Status missingFolder = platform_.startProgram(folder_ / L"無い\\Ten0013.exe");
    ASSERT_FALSE(missingFolder.ok());
    EXPECT_TRUE(missingFolder.systemCode() == ERROR_FILE_NOT_FOUND ||
                missingFolder.systemCode() == ERROR_PATH_NOT_FOUND)
        << missingFolder.systemCode();
}

TEST_F(ProcessTest, SecondCopyOfTheSameExecutableSeesTheFirst) {
    const Text program = folder_ / L"Copy.exe";
    placeChild(program);
    const Text ready = test::uniqueName(L"VandrelReady");
    const Text go = test::uniqueName(L"VandrelGo");
    UniqueHandle readyEvent(CreateEventW(nullptr, TRUE, FALSE, ready.c_str()));
    UniqueHandle goEvent(CreateEventW(nullptr, TRUE, FALSE, go.c_str()));
    ASSERT_TRUE(readyEvent && goEvent);

    UniqueHandle first = test::start(program, L"hold-instance " + ready + L" " + go);
    ASSERT_TRUE(first);
    const HANDLE either[] = {readyEvent.get(), first.get()};
    ASSERT_EQ(WaitForMultipleObjects(2, either, FALSE, 10000), WAIT_OBJECT_0) << "the first copy did not start";

    // The same executable spelt in other letter case is the same program.
    Text otherCase = program;
    CharLowerBuffW(otherCase.data(), static_cast<DWORD>(otherCase.size()));
    EXPECT_EQ(test::run(otherCase, L"instance"), kYes);
    // Another executable is another program.
    EXPECT_EQ(test::run(childProgram(), L"instance"), kNo);

    ASSERT_TRUE(SetEvent(goEvent.get()));
    ASSERT_EQ(WaitForSingleObject(first.get(), 10000), WAIT_OBJECT_0);
    DWORD firstAnswer = 0;
    GetExitCodeProcess(first.get(), &firstAnswer);
    EXPECT_EQ(firstAnswer, kNo);
    // The token went with the first copy.
    EXPECT_EQ(test::run(program, L"instance"), kNo);
}

TEST_F(ProcessTest, AskingAgainGivesTheSameAnswer) {
    const auto first = platform_.anotherCopyRunning();
    const auto again = platform_.anotherCopyRunning();
    ASSERT_TRUE(first.ok() && again.ok());
    EXPECT_EQ(first.value(), again.value());
}

TEST_F(ProcessTest, ModulePathOfALongJapanesePathIsWhole) {
    // Longer than the first buffer the platform tries, short enough for
    // every system to start it from.
    Text program = folder_.path();
    while (program.size() < 200) program += L"\\展開図メニュー フォルダ";
    program += L"\\ﾒﾆｭｰ.exe";
    placeChild(program);
    const Text report = folder_ / L"module.txt";

    ASSERT_EQ(test::run(program, L"module-path \"" + report + L"\""), 0u);
    EXPECT_EQ(test::readUtf16File(report), program);
}

TEST_F(ProcessTest, FatalExitNamesTheOperationAndEndsWithFailure) {
    EXPECT_EQ(fatalMessage("RegSetValueExW", 5), L"予期しないエラーが発生しました。\r\n\r\nRegSetValueExW (エラー 5)");
    EXPECT_EQ(fatalMessage("CoCreateInstance", 0x80040154u),
              L"予期しないエラーが発生しました。\r\n\r\nCoCreateInstance (エラー 0x80040154)");
    EXPECT_EQ(fatalMessage("setText", 0, "pages/PageSet.cpp:52"),
              L"予期しないエラーが発生しました。\r\n\r\nsetText\r\npages/PageSet.cpp:52");

    UniqueHandle child = test::start(childProgram(), L"fatal");
    ASSERT_TRUE(child);
    // The child's own box: another program may show one of that title too.
    struct Search {
        DWORD process;
        HWND box;
    } search{GetProcessId(child.get()), nullptr};
    const auto findBox = [&] {
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                wchar_t title[16] = {};
                GetWindowTextW(w, title, 16);
                if (owner != s->process || Text(title) != L"Vandrel") return TRUE;
                s->box = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.box != nullptr;
    };
    ASSERT_TRUE(test::waitFor(findBox));
    const HWND box = search.box;
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    // The last line says where in the program the failure happened.
    const Text shown(text);
    const Text named = fatalMessage("CreateProcessW", 2) + L"\r\ntests/win32/TestChild.cpp:";
    EXPECT_EQ(shown.substr(0, named.size()), named) << "shown: " << shown;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(child.get(), 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    EXPECT_EQ(code, kFatalExitCode);
}

TEST_F(ProcessTest, LinkNobodyCanOpenFailsWithoutADialog) {
    // Returns at once (a dialog of the shell's own would wait for a user).
    const Status run = platform_.runCommand(L"vandrel-no-such-scheme:https://example.com");
    ASSERT_FALSE(run.ok());
    EXPECT_EQ(run.operation(), "ShellExecuteExW");
}

TEST_F(ProcessTest, OpeningADocumentThatIsNotThereFails) {
    const Status opened = platform_.openDocument(0, folder_ / L"使用法ﾏﾆｭｱﾙ.pdf");
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.operation(), "ShellExecuteW");
    EXPECT_EQ(opened.systemCode(), static_cast<std::uint32_t>(SE_ERR_FNF));
}

}  // namespace
}  // namespace vandrel::win32
