#include "platform/LibraryLoading.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vandrel::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// A system as the loader sees it: with or without the call that restricts
// the search, with the libraries it has. It records every call.
class RecordingLoader final : public LibraryLoader {
public:
    bool restrictable = true;
    std::set<std::wstring> systemHas{L"uxtheme.dll", L"dwmapi.dll", L"comctl32.dll", L"oleacc.dll"};
    std::vector<std::wstring> calls;

    bool searchSystemFolderOnly() override {
        calls.push_back(L"restrict");
        return restrictable;
    }
    bool leaveOutCurrentFolder() override {
        calls.push_back(L"leave out current");
        return true;
    }
    bool loadFromSystemFolder(std::wstring_view name) override {
        calls.push_back(L"system " + std::wstring(name));
        return systemHas.count(std::wstring(name)) != 0;
    }
    bool loadByName(std::wstring_view name) override {
        calls.push_back(L"name " + std::wstring(name));
        return systemHas.count(std::wstring(name)) != 0;
    }
};

TEST(LibraryLoading, WhereTheSystemRestrictsTheSearchItDoesAndNothingIsLoadedBeforehand) {
    RecordingLoader loader;
    const LibraryLoadReport report = loadSystemLibrariesSafely(loader);
    EXPECT_THAT(loader.calls, ElementsAre(L"restrict", L"name comctl32.dll", L"system oleacc.dll"));
    EXPECT_EQ(report.search, LibrarySearch::SystemFolderOnly);
    EXPECT_TRUE(report.commonControls);
    EXPECT_TRUE(report.accessibility);
}

TEST(LibraryLoading, OnOlderSystemsTheUnprotectedLibrariesComeFromTheSystemFolderBeforeTheCommonControls) {
    RecordingLoader loader;
    loader.restrictable = false;
    const LibraryLoadReport report = loadSystemLibrariesSafely(loader);
    EXPECT_THAT(loader.calls, ElementsAre(L"restrict", L"leave out current", L"system uxtheme.dll",
                                          L"system dwmapi.dll", L"name comctl32.dll", L"system oleacc.dll"));
    EXPECT_EQ(report.search, LibrarySearch::SystemCopiesFirst);
    EXPECT_TRUE(report.commonControls);
    EXPECT_TRUE(report.accessibility);
}

TEST(LibraryLoading, ALibraryTheSystemLacksIsPassedOverAndTheCommonControlsStillLoad) {
    RecordingLoader loader;
    loader.restrictable = false;
    loader.systemHas.erase(L"dwmapi.dll");  // XP
    EXPECT_TRUE(loadSystemLibrariesSafely(loader).commonControls);
    EXPECT_THAT(loader.calls, Contains(L"name comctl32.dll"));

    RecordingLoader withoutAccessibility;
    withoutAccessibility.systemHas.erase(L"oleacc.dll");
    const LibraryLoadReport report = loadSystemLibrariesSafely(withoutAccessibility);
    EXPECT_TRUE(report.commonControls);
    EXPECT_FALSE(report.accessibility) << "the menu runs without the names";

    RecordingLoader without;
    without.systemHas.clear();
    EXPECT_FALSE(loadSystemLibrariesSafely(without).commonControls);
}

}  // namespace
}  // namespace vandrel::testing
