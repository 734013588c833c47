// The controls of a page window, by their form names: the one vocabulary
// every part of the program and every test uses. The e2e harness reads the
// order of `Ctl` from here.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace vandrel {

// In this order; the Windows platform numbers its control windows by it.
enum class Ctl : std::uint8_t {
    Label1,    // product title
    Label2,    // (0) version text, (1) page title
    Label3,    // company name
    Text1,     // company-name entry box (page 1)
    Frame1,    // container of the program buttons
    Command1,  // (0..71) program buttons, children of Frame1
    Command2,  // (0) next, (1) exit
    Command3,  // confirm the company name (page 1)
    Command4,  // manual
    Command5,  // remote support
    Command6,  // website
    Command7,  // error repair
};

// A control of a page: its name and its index in the control array.
struct ControlKey {
    Ctl name{};
    std::uint8_t index = 0;

    friend constexpr auto operator<=>(ControlKey, ControlKey) = default;
};

namespace controls {

inline constexpr ControlKey kTitle{Ctl::Label1};
inline constexpr ControlKey kVersion{Ctl::Label2, 0};
inline constexpr ControlKey kPageTitle{Ctl::Label2, 1};
inline constexpr ControlKey kNameLabel{Ctl::Label3};
inline constexpr ControlKey kEntryBox{Ctl::Text1};
inline constexpr ControlKey kFrame{Ctl::Frame1};
inline constexpr ControlKey kNext{Ctl::Command2, 0};
inline constexpr ControlKey kExit{Ctl::Command2, 1};
inline constexpr ControlKey kConfirm{Ctl::Command3};
inline constexpr ControlKey kManual{Ctl::Command4};
inline constexpr ControlKey kSupport{Ctl::Command5};
inline constexpr ControlKey kWebsite{Ctl::Command6};
inline constexpr ControlKey kRepair{Ctl::Command7};

// `Command1(index)`.
constexpr ControlKey programButton(int index) { return ControlKey{Ctl::Command1, static_cast<std::uint8_t>(index)}; }

}  // namespace controls

// "Command1(12)", "Label3": the form name, with the index for the arrays.
inline std::wstring controlName(ControlKey key) {
    static constexpr const wchar_t* kNames[] = {L"Label1",   L"Label2",   L"Label3",   L"Text1",
                                                L"Frame1",   L"Command1", L"Command2", L"Command3",
                                                L"Command4", L"Command5", L"Command6", L"Command7"};
    std::wstring name = kNames[static_cast<std::size_t>(key.name)];
    const bool array = key.name == Ctl::Label2 || key.name == Ctl::Command1 || key.name == Ctl::Command2;
    if (array) name += L"(" + std::to_wstring(key.index) + L")";
    return name;
}

}  // namespace vandrel
