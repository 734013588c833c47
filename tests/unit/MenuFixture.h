// A menu running on the in-memory platform, with the events a user makes.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/Menu.h"
#include "platform/memory/MemoryPlatform.h"

namespace vandrel::testing {

inline constexpr wchar_t kAppFolder[] = L"C:\\Program Files\\Vandrel";

inline Text inApp(TextView name) { return Text(kAppFolder) + L"\\" + Text(name); }

using namespace controls;
inline constexpr ControlKey button(int index) { return programButton(index); }
inline constexpr ControlKey kEntry = kEntryBox;

class MenuTest : public ::testing::Test {
protected:
    MemoryPlatform platform;
    Menu menu{platform};

    Menu::Start start() { return menu.start(); }
    void click(int page, ControlKey key) { menu.onEvent(Event{page, EventKind::Click, key, 0}); }
    void dblClick(int page, ControlKey key) { menu.onEvent(Event{page, EventKind::DblClick, key, 0}); }
    void press(int page, ControlKey key, std::uint8_t mouseButton) {
        menu.onEvent(Event{page, EventKind::MouseDown, key, mouseButton});
    }
    // A left click as the mouse makes it: the press, then the click.
    void leftClick(int page, ControlKey key) {
        press(page, key, kLeftButton);
        click(page, key);
    }
    void close(int page) { menu.onEvent(Event{page, EventKind::QueryUnload, {}, 0}); }

    // The position of the first call of `op` whose arguments hold `match`;
    // past the end when there is none.
    std::size_t firstCall(Op op, TextView match = {}) const {
        for (std::size_t i = 0; i < platform.calls.size(); ++i) {
            if (platform.calls[i].op == op && platform.calls[i].args.find(match) != Text::npos) return i;
        }
        return platform.calls.size() + 1;
    }
    std::size_t lastCall(Op op, TextView match = {}) const {
        for (std::size_t i = platform.calls.size(); i-- > 0;) {
            if (platform.calls[i].op == op && platform.calls[i].args.find(match) != Text::npos) return i;
        }
        return platform.calls.size() + 1;
    }

    const MemoryPlatform::Control& control(int page, ControlKey key) {
        const auto* c = platform.control(page, key);
        if (c == nullptr) throw std::runtime_error("no such control");
        return *c;
    }
    std::vector<int> visiblePages() const {
        std::vector<int> pages;
        for (int p = 1; p <= 5; ++p) {
            if (platform.visible(p)) pages.push_back(p);
        }
        return pages;
    }
};

}  // namespace vandrel::testing
