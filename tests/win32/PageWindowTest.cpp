#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "TestSupport.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/WindowText.h"

#include <commctrl.h>

namespace vandrel {

// Found by argument-dependent lookup, so in the namespace of Event.
static bool operator==(const Event& a, const Event& b) {
    return a.page == b.page && a.kind == b.kind && a.control == b.control && a.button == b.button;
}

static std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << "{page " << e.page << ", kind " << static_cast<int>(e.kind) << ", control "
               << win32::controlId(e.control) << ", button " << static_cast<int>(e.button) << "}";
}

namespace win32 {
namespace {

// Among the test program's resources: a bitmap that is red (8 x 8) at
// 100 % and blue (12 x 12) at 150 %, and one whose packed data is damaged.
constexpr Picture kRedPicture{PictureKind::Bitmap, 50};
constexpr Picture kDamagedPicture{PictureKind::Bitmap, 51};

using namespace controls;
constexpr ControlKey kProgram = programButton(12);

class RecordingSink : public EventSink {
public:
    void onEvent(const Event& event) override {
        events.push_back(event);
        if (hook) hook(event);
    }
    std::vector<Event> events;
    std::function<void(const Event&)> hook;
};

Event event(EventKind kind, ControlKey key = {}, std::uint8_t button = 0) {
    Event e;
    e.page = 1;
    e.kind = kind;
    e.control = key;
    e.button = button;
    return e;
}

Text className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A control's window, wherever it is among the page's descendants.
HWND findControl(HWND page, ControlKey key) {
    struct Search {
        int id;
        HWND found;
    } search{controlId(key), nullptr};
    EnumChildWindows(
        page,
        [](HWND child, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The platform takes twips; at 96 dpi, where these tests run, a pixel is
// 15 twips.
constexpr Bounds twips(Bounds pixels) {
    return Bounds{pixels.left * 15, pixels.top * 15, pixels.width * 15, pixels.height * 15};
}

// A window's place within its parent's client area, in pixels.
Bounds boundsOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class PageWindowTest : public testing::Test {
protected:
    void SetUp() override {
        platform_.setEventSink(&sink_);
        ASSERT_TRUE(platform_.createWindow(1, window()).ok());
    }
    void TearDown() override { platform_.setEventSink(nullptr); }

    static WindowDesign window() {
        WindowDesign w;
        w.title = L" Vandrel  [全DXF出力] B版";
        w.outerWidth = 788 * 15;
        w.outerHeight = 561 * 15;
        return w;
    }
    // A control of the page at a place in pixels.
    static ControlDesign design(ControlKey key, ControlKind kind, Bounds pixels, const Text& text = L"") {
        ControlDesign d;
        d.key = key;
        d.kind = kind;
        d.bounds = twips(pixels);
        d.text = text;
        d.inFrame = key.name == Ctl::Command1;
        return d;
    }
    // The usual set: a frame holding one program button, a label, an entry
    // box and two buttons on the page.
    void createControls() {
        ASSERT_TRUE(platform_.createControl(1, design(kFrame, ControlKind::Frame, {6, 60, 771, 481})).ok());
        ASSERT_TRUE(platform_.createControl(1, design(kProgram, ControlKind::Button, {1, 83, 64, 76})).ok());
        ASSERT_TRUE(
            platform_.createControl(1, design(kNameLabel, ControlKind::Label, {460, 44, 148, 15}, L"社名")).ok());
        ASSERT_TRUE(platform_.createControl(1, design(kEntryBox, ControlKind::TextBox, {460, 4, 189, 21})).ok());
        ControlDesign next = design(kNext, ControlKind::Button, {681, 3, 47, 29});
        next.mouseDown = true;
        ASSERT_TRUE(platform_.createControl(1, next).ok());
        ASSERT_TRUE(platform_.createControl(1, design(kExit, ControlKind::Button, {728, 3, 47, 29})).ok());
    }
    HWND page() const { return platform_.pageWindow(1); }
    HWND control(ControlKey key) const { return findControl(page(), key); }
    // Runs the event loop until something posts WM_QUIT, or 3 s have gone.
    int runLoop() {
        const UINT_PTR guard = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(-1); });
        const int code = platform_.runEventLoop();
        KillTimer(nullptr, guard);
        return code;
    }

    Win32Platform platform_{GetModuleHandleW(nullptr)};
    RecordingSink sink_;
};

TEST_F(PageWindowTest, PageIsMadeHiddenAtTheCommonPlaceAndKnownByItsNumber) {
    EXPECT_EQ(className(page()), L"VandrelPage");
    EXPECT_FALSE(IsWindowVisible(page()));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(page(), L"VandrelPage")), 1);
    wchar_t title[64] = {};
    GetWindowTextW(page(), title, 64);
    EXPECT_EQ(Text(title), window().title);

    ASSERT_TRUE(platform_.createWindow(2, window()).ok());
    RECT first{}, second{};
    GetWindowRect(page(), &first);
    GetWindowRect(platform_.pageWindow(2), &second);
    EXPECT_EQ(first.right - first.left, 788);
    EXPECT_EQ(first.bottom - first.top, 561);
    EXPECT_TRUE(EqualRect(&first, &second)) << "the page in front covers page 1";
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(platform_.pageWindow(2), L"VandrelPage")), 2);

    EXPECT_FALSE(platform_.createWindow(1, window()).ok()) << "one window per page";
}

TEST_F(PageWindowTest, ControlsAreChildWindowsWithTheirIdsAndPlaces) {
    createControls();
    const struct {
        ControlKey key;
        const wchar_t* windowClass;
        HWND parent;
        Bounds bounds;
    } expected[] = {
        {kFrame, L"VandrelFrame", page(), {6, 60, 771, 481}}, {kProgram, L"Button", control(kFrame), {1, 83, 64, 76}},
        {kNameLabel, L"Static", page(), {460, 44, 148, 15}},  {kEntryBox, L"Edit", page(), {460, 4, 189, 21}},
        {kNext, L"Button", page(), {681, 3, 47, 29}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(controlId(e.key));
        const HWND window = control(e.key);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(_wcsicmp(className(window).c_str(), e.windowClass), 0) << "class " << className(window).size();
        EXPECT_EQ(GetParent(window), e.parent);
        EXPECT_EQ(boundsOf(window), e.bounds);
    }
}

TEST_F(PageWindowTest, OverlappingButtonsStayInViewOverTheEntryBoxAndTheFrame) {
    createControls();
    // The confirm button overlaps the entry box's end; the manual button
    // reaches onto the frame's edge. Both are made after what they cover.
    ASSERT_TRUE(platform_.createControl(1, design({Ctl::Command3}, ControlKind::Button, {627, 5, 38, 20})).ok());
    ASSERT_TRUE(platform_.createControl(1, design({Ctl::Command4}, ControlKind::Button, {681, 44, 94, 22})).ok());
    const auto topmostAt = [&](int x, int y) { return ChildWindowFromPointEx(page(), POINT{x, y}, CWP_SKIPINVISIBLE); };
    EXPECT_EQ(topmostAt(630, 10), control({Ctl::Command3}));
    EXPECT_EQ(topmostAt(700, 63), control({Ctl::Command4}));
    EXPECT_EQ(topmostAt(470, 10), control(kEntryBox));
}

TEST_F(PageWindowTest, ProgramButtonNeedsItsFrame) {
    const Status made = platform_.createControl(1, design(kProgram, ControlKind::Button, {1, 83, 64, 76}));
    ASSERT_FALSE(made.ok());
    EXPECT_EQ(control(kProgram), nullptr);
}

TEST_F(PageWindowTest, TextReadsBackAsSet) {
    createControls();
    for (ControlKey key : {kNameLabel, kEntryBox, kNext, kProgram}) {
        SCOPED_TRACE(controlId(key));
        for (const Text& text : {Text(L"山田板金 ｶﾀｶﾅ １0"), Text(L"288"), Text()}) {
            ASSERT_TRUE(platform_.setText(1, key, text).ok());
            const auto read = platform_.getText(1, key);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read.value(), text);
        }
    }
}

TEST_F(PageWindowTest, EntryLimitBindsTypingOnly) {
    ControlDesign entry = design(kEntryBox, ControlKind::TextBox, {460, 4, 189, 21}, L"ここｸﾘｯｸして入力して下さい");
    entry.maxTyped = 10;
    ASSERT_TRUE(platform_.createControl(1, entry).ok());
    EXPECT_EQ(SendMessageW(control(kEntryBox), EM_GETLIMITTEXT, 0, 0), 10);
    EXPECT_EQ(platform_.getText(1, kEntryBox).value(), entry.text) << "the prompt is longer than the limit";
}

TEST_F(PageWindowTest, MissingControlOrPageIsAFailureNotACrash) {
    createControls();
    const ControlKey missing{Ctl::Command1, 71};
    const std::function<Status(int)> operations[] = {
        [&](int p) {
            return platform_.setBounds(p, missing, {0, 0, 1, 1});
        },
        [&](int p) { return platform_.setText(p, missing, L"x"); },
        [&](int p) { return platform_.getText(p, missing).status(); },
        [&](int p) { return platform_.setEnabled(p, missing, false); },
        [&](int p) { return platform_.setVisible(p, missing, false); },
        [&](int p) { return platform_.setBackColour(p, missing, kWhite); },
        [&](int p) { return platform_.setTooltip(p, missing, L"x"); },
    };
    for (const auto& operation : operations) {
        const Status onPage = operation(1);
        ASSERT_FALSE(onPage.ok());
        EXPECT_EQ(onPage.systemCode(), 0u) << "refused by the platform, not by Windows";
        EXPECT_FALSE(operation(4).ok()) << "page 4 has no window";
    }
    EXPECT_FALSE(platform_.showWindow(4).ok());
    EXPECT_FALSE(platform_.createControl(4, design(kNameLabel, ControlKind::Label, {0, 0, 1, 1})).ok());
}

TEST_F(PageWindowTest, PropertiesTakeEffectOnTheControlWindow) {
    createControls();
    const HWND program = control(kProgram);
    ASSERT_TRUE(platform_.setEnabled(1, kProgram, false).ok());
    EXPECT_FALSE(IsWindowEnabled(program));
    ASSERT_TRUE(platform_.setVisible(1, kNameLabel, false).ok());
    EXPECT_FALSE(GetWindowLongW(control(kNameLabel), GWL_STYLE) & WS_VISIBLE);
    ASSERT_TRUE(platform_.setBounds(1, kProgram, twips({65, 83, 64, 76})).ok());
    EXPECT_EQ(boundsOf(program), (Bounds{65, 83, 64, 76}));
    ASSERT_TRUE(platform_.setWindowTitle(1, L"②").ok());
    wchar_t title[8] = {};
    GetWindowTextW(page(), title, 8);
    EXPECT_EQ(Text(title), L"②");
}

TEST_F(PageWindowTest, LabelReportsClickAndDoubleClick) {
    createControls();
    SendMessageW(control(kNameLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control(kNameLabel), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageW(control(kNameLabel), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    const std::vector<Event> expected = {event(EventKind::Click, kNameLabel), event(EventKind::DblClick, kNameLabel)};
    EXPECT_EQ(sink_.events, expected);
}

TEST_F(PageWindowTest, ProgramButtonInTheFrameReportsItsClickToThePage) {
    createControls();
    ASSERT_TRUE(platform_.showWindow(1).ok());
    SendMessageW(control(kProgram), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control(kProgram), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const std::vector<Event> expected = {event(EventKind::Click, kProgram)};
    EXPECT_EQ(sink_.events, expected) << "no MouseDown: the program buttons do not ask for it";
}

TEST_F(PageWindowTest, MouseDownIsReportedBeforeTheButtonReacts) {
    createControls();
    ASSERT_TRUE(platform_.showWindow(1).ok());
    const HWND next = control(kNext);
    bool reactedEarly = false;
    sink_.hook = [&](const Event& e) {
        if (e.kind == EventKind::MouseDown) {
            reactedEarly |= GetCapture() == next || (SendMessageW(next, BM_GETSTATE, 0, 0) & BST_PUSHED);
        }
    };
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(next, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(next, WM_RBUTTONUP, 0, at);
    SendMessageW(next, WM_RBUTTONDBLCLK, MK_RBUTTON, at);  // a quick second press
    SendMessageW(next, WM_RBUTTONUP, 0, at);
    SendMessageW(next, WM_MBUTTONDOWN, MK_MBUTTON, at);
    SendMessageW(next, WM_MBUTTONUP, 0, at);
    SendMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(next, WM_LBUTTONUP, 0, at);

    const std::vector<Event> expected = {
        event(EventKind::MouseDown, kNext, kRightButton), event(EventKind::MouseDown, kNext, kRightButton),
        event(EventKind::MouseDown, kNext, kMiddleButton), event(EventKind::MouseDown, kNext, kLeftButton),
        event(EventKind::Click, kNext)};
    EXPECT_EQ(sink_.events, expected) << "only the left button clicks";
    EXPECT_FALSE(reactedEarly);
}

TEST_F(PageWindowTest, EntryBoxReportsClickWhenTheButtonIsReleased) {
    createControls();
    ASSERT_TRUE(platform_.showWindow(1).ok());
    SendMessageW(control(kEntryBox), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(sink_.events.empty());
    SendMessageW(control(kEntryBox), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    const std::vector<Event> expected = {event(EventKind::Click, kEntryBox)};
    EXPECT_EQ(sink_.events, expected);
}

TEST_F(PageWindowTest, ClosingThePageAsksTheMenuAndKeepsTheWindow) {
    SendMessageW(page(), WM_CLOSE, 0, 0);
    const std::vector<Event> expected = {event(EventKind::QueryUnload)};
    EXPECT_EQ(sink_.events, expected);
    EXPECT_TRUE(IsWindow(page()));
}

TEST_F(PageWindowTest, KeyboardMovesBetweenButtonsAndActivatesTheFocusedOne) {
    createControls();
    ASSERT_TRUE(platform_.setVisible(1, kEntryBox, false).ok());
    ASSERT_TRUE(platform_.showWindow(1).ok());
    sink_.hook = [](const Event& e) {
        if (e.kind == EventKind::Click) PostQuitMessage(100 + e.control.index);
    };
    SetFocus(control(kNext));

    PostMessageW(control(kNext), WM_KEYDOWN, VK_TAB, 1);
    PostQuitMessage(0);
    ASSERT_EQ(runLoop(), 0);
    EXPECT_EQ(GetFocus(), control(kExit)) << "Tab goes to the next button";

    PostMessageW(control(kExit), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(runLoop(), 101) << "Enter clicks the focused button";

    PostMessageW(control(kExit), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageW(control(kExit), WM_KEYUP, VK_SPACE, 1 | (3u << 30));
    EXPECT_EQ(runLoop(), 101) << "so does the space bar";

    const std::vector<Event> expected = {event(EventKind::Click, kExit), event(EventKind::Click, kExit)};
    EXPECT_EQ(sink_.events, expected) << "no mouse press from the keyboard";
}

// A frame whose buttons make a grid of 3 columns and 2 rows, with the next
// and exit buttons beside it.
class GridTest : public PageWindowTest {
protected:
    static constexpr int kGridButtons = 6;

    void createGrid() {
        ControlDesign frame = design(kFrame, ControlKind::Frame, {6, 60, 771, 481});
        frame.gridColumns = 3;
        ASSERT_TRUE(platform_.createControl(1, frame).ok());
        for (int i = 0; i < kGridButtons; ++i) {
            const Bounds at{1 + 64 * (i % 3), 7 + 76 * (i / 3), 64, 76};
            ASSERT_TRUE(platform_.createControl(1, design(programButton(i), ControlKind::Button, at)).ok());
        }
        ASSERT_TRUE(platform_.createControl(1, design(kNext, ControlKind::Button, {681, 3, 47, 29})).ok());
        ASSERT_TRUE(platform_.createControl(1, design(kExit, ControlKind::Button, {728, 3, 47, 29})).ok());
    }
    // The grid's buttons that the Tab key stops at.
    std::vector<int> tabStops() const {
        std::vector<int> stops;
        for (int i = 0; i < kGridButtons; ++i) {
            if (GetWindowLongW(control(programButton(i)), GWL_STYLE) & WS_TABSTOP) stops.push_back(i);
        }
        return stops;
    }
    void disable(int index) { ASSERT_TRUE(platform_.setEnabled(1, programButton(index), false).ok()); }
};

TEST_F(GridTest, TheGridIsOneTabStopThatFollowsTheFocusAndTheEnabledButtons) {
    createGrid();
    ASSERT_TRUE(platform_.showWindow(1).ok());
    EXPECT_EQ(tabStops(), std::vector<int>{0}) << "the first button";
    EXPECT_TRUE(GetWindowLongW(control(kNext), GWL_STYLE) & WS_TABSTOP) << "the header buttons keep theirs";

    SetFocus(control(programButton(4)));
    EXPECT_EQ(tabStops(), std::vector<int>{4}) << "Tab comes back to the button left";
    EXPECT_EQ(GetNextDlgTabItem(page(), control(kExit), FALSE), control(programButton(4)));
    EXPECT_NE(GetParent(GetNextDlgTabItem(page(), control(programButton(4)), FALSE)), control(kFrame))
        << "Tab leaves the grid in one step";

    SetFocus(control(kNext));
    disable(4);
    EXPECT_EQ(tabStops(), std::vector<int>{5}) << "a disabled stop hands over to the next button";
    for (int i : {5, 3, 2, 1, 0}) disable(i);
    EXPECT_EQ(tabStops(), std::vector<int>{}) << "without an enabled button the Tab key passes the grid over";
    EXPECT_EQ(GetNextDlgTabItem(page(), control(kExit), FALSE), control(kNext));

    ASSERT_TRUE(platform_.setEnabled(1, programButton(2), true).ok());
    EXPECT_EQ(tabStops(), std::vector<int>{2}) << "the first button enabled again takes the stop";
}

TEST_F(GridTest, AFocusedButtonThatIsDisabledHandsTheFocusOnWithinTheGridThenOutOfIt) {
    createGrid();
    ASSERT_TRUE(platform_.showWindow(1).ok());
    SetFocus(control(programButton(4)));
    // (disabled, where the focus goes)
    const std::pair<int, HWND> steps[] = {
        {4, control(programButton(5))},  // the next one
        {5, control(programButton(3))},  // none after it: the one before
        {3, control(programButton(2))}, {2, control(programButton(1))},
        {1, control(programButton(0))}, {0, control(kNext)},  // the last one: out of the grid, to the next stop
    };
    for (const auto& [index, to] : steps) {
        SCOPED_TRACE(index);
        disable(index);
        EXPECT_EQ(GetFocus(), to);
    }
}

TEST_F(PageWindowTest, ButtonsTellScreenReadersTheirNameAndLetGoOfTheWindowWhenItGoes) {
    // oleacc.dll is loaded as the program loads it (main.cpp).
    const HMODULE oleacc = GetModuleHandleW(L"oleacc.dll");
    const AccessibilityFunctions functions = accessibilityFunctions(oleacc);
    ASSERT_TRUE(functions);
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    const auto fromWindow = exportedFunction<FromWindow>(oleacc, "AccessibleObjectFromWindow");
    ASSERT_NE(fromWindow, nullptr);

    Win32Platform named(GetModuleHandleW(nullptr), functions);
    ASSERT_TRUE(named.createWindow(1, window()).ok());
    ControlDesign fitting = design(kNext, ControlKind::Button, {681, 3, 47, 29});
    fitting.accessibleName = L"144 変形角丸　一級課題";
    const ControlDesign captioned = design({Ctl::Command5}, ControlKind::Button, {0, 0, 64, 20}, L"サポート");
    for (const auto& d : {fitting, captioned}) ASSERT_TRUE(named.createControl(1, d).ok());
    ASSERT_TRUE(named.setEnabled(1, captioned.key, false).ok());

    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    struct Heard {
        HRESULT answer = E_FAIL;
        Text name;
        LONG role = 0;
        LONG state = 0;
    };
    const auto ask = [&](IAccessible& object) {
        Heard heard;
        BSTR name = nullptr;
        heard.answer = object.get_accName(self, &name);
        if (name) heard.name.assign(name, SysStringLen(name));
        SysFreeString(name);
        VARIANT role{}, state{};
        if (SUCCEEDED(object.get_accRole(self, &role))) heard.role = role.lVal;
        if (SUCCEEDED(object.get_accState(self, &state))) heard.state = state.lVal;
        return heard;
    };
    const auto objectOf = [&](HWND onPage, ControlKey key) {
        IAccessible* object = nullptr;
        const HWND button = findControl(onPage, key);
        EXPECT_HRESULT_SUCCEEDED(fromWindow(button, static_cast<DWORD>(OBJID_CLIENT), kAccessibleInterface,
                                            reinterpret_cast<void**>(&object)));
        return object;
    };

    IAccessible* next = objectOf(named.pageWindow(1), fitting.key);
    IAccessible* support = objectOf(named.pageWindow(1), captioned.key);
    ASSERT_TRUE(next && support);
    const Heard nextHeard = ask(*next);
    EXPECT_EQ(nextHeard.name, L"144 変形角丸　一級課題");
    EXPECT_EQ(nextHeard.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_FALSE(nextHeard.state & STATE_SYSTEM_UNAVAILABLE);
    const Heard supportHeard = ask(*support);
    EXPECT_EQ(supportHeard.name, L"サポート") << "without a name of its own: its caption";
    EXPECT_EQ(supportHeard.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_TRUE(supportHeard.state & STATE_SYSTEM_UNAVAILABLE) << "disabled";
    EXPECT_EQ(windowText(findControl(named.pageWindow(1), fitting.key)).value(), L"") << "the window text stays";

    // A platform without the library's functions leaves the buttons to the
    // system, which names them by their (here empty) window text.
    ASSERT_TRUE(platform_.createControl(1, fitting).ok());
    IAccessible* system = objectOf(page(), fitting.key);
    ASSERT_TRUE(system);
    EXPECT_EQ(ask(*system).name, L"");
    system->Release();

    // The page goes while a screen reader still holds the objects: they
    // answer that the button has gone, and the last release frees them.
    support->Release();
    ASSERT_TRUE(DestroyWindow(named.pageWindow(1)));
    EXPECT_EQ(ask(*next).answer, RPC_E_DISCONNECTED);
    EXPECT_EQ(next->Release(), 0u) << "no reference left behind";
}

TEST_F(PageWindowTest, AutoSizedLabelTakesTheWidthOfItsText) {
    ControlDesign version = design({Ctl::Label2, 0}, ControlKind::Label, {203, 23, 84, 15});
    version.autoSize = true;
    version.font = {L"ＭＳ Ｐゴシック", 1125, true, true};
    ASSERT_TRUE(platform_.createControl(1, version).ok());
    const HWND label = control(version.key);

    const Text text = L"Ver 2.315.5     B版";
    ASSERT_TRUE(platform_.setText(1, version.key, text).ok());
    SIZE extent{};
    {
        WindowDc dc(label);
        Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    const Bounds wide = boundsOf(label);
    EXPECT_GE(wide.width, extent.cx);
    EXPECT_GT(wide.width, 84) << "wider than designed";
    EXPECT_EQ(wide.left, 203);
    EXPECT_EQ(wide.height, 15);

    ASSERT_TRUE(platform_.setText(1, version.key, L"Ver 2.3").ok());
    EXPECT_LT(boundsOf(label).width, wide.width);
    EXPECT_EQ(boundsOf(label).width, 84) << "never narrower than designed";
    ASSERT_TRUE(platform_.setText(1, version.key, L"").ok());
    EXPECT_EQ(boundsOf(label).width, 84);

    // Placed anew, the label keeps fitting its text.
    ASSERT_TRUE(platform_.setText(1, version.key, text).ok());
    ASSERT_TRUE(platform_.setBounds(1, version.key, twips({203, 23, 84, 15})).ok());
    EXPECT_EQ(boundsOf(label).width, wide.width);
}

TEST_F(PageWindowTest, ControlsOfOneFontShareOneFontObject) {
    const Font gothic{L"ＭＳ Ｐゴシック", 1125, true, false};
    ControlDesign a = design(kNameLabel, ControlKind::Label, {0, 0, 50, 15});
    ControlDesign b = design({Ctl::Label2, 1}, ControlKind::Label, {0, 20, 50, 15});
    ControlDesign plain = design({Ctl::Label1}, ControlKind::Label, {0, 40, 50, 15});
    a.font = b.font = gothic;
    for (const auto& d : {a, b, plain}) ASSERT_TRUE(platform_.createControl(1, d).ok());

    const auto fontOf = [&](ControlKey key) {
        return reinterpret_cast<HFONT>(SendMessageW(control(key), WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(fontOf(a.key), fontOf(b.key));
    LOGFONTW designed{}, standard{};
    ASSERT_TRUE(GetObjectW(fontOf(a.key), sizeof designed, &designed));
    ASSERT_TRUE(GetObjectW(fontOf(plain.key), sizeof standard, &standard));
    EXPECT_EQ(Text(designed.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(designed.lfHeight, -15) << "11.25 pt at 96 dpi";
    EXPECT_EQ(designed.lfWeight, FW_BOLD);
    EXPECT_EQ(designed.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(Text(standard.lfFaceName), L"MS UI Gothic");
    EXPECT_EQ(standard.lfHeight, -12) << "9 pt at 96 dpi";
}

// Paints a control into a bitmap of its own size, as the screen would show it.
class Snapshot {
public:
    explicit Snapshot(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        width_ = r.right;
        height_ = r.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_.reset(CreateCompatibleDC(nullptr));
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const std::uint32_t*>(bits);
        Selection selected(dc_.get(), bitmap_.get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
        GdiFlush();
    }
    // 0xRRGGBB of a pixel.
    std::uint32_t at(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    bool any(std::uint32_t colour) const {
        for (int i = 0; i < width_ * height_; ++i) {
            if ((pixels_[i] & 0xFFFFFF) == colour) return true;
        }
        return false;
    }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    const std::uint32_t* pixels_ = nullptr;
    int width_ = 0, height_ = 0;
};

TEST_F(PageWindowTest, ButtonShowsItsPictureOnItsColourAndGreysItWhenDisabled) {
    createControls();
    ControlDesign pictured = design({Ctl::Command4}, ControlKind::Button, {681, 44, 64, 76});
    pictured.picture = kRedPicture;
    pictured.back = kWhite;
    ControlDesign missing = pictured;
    missing.key = {Ctl::Command5};
    missing.picture = Picture{PictureKind::Bitmap, 999};  // not among the resources
    ControlDesign damaged = pictured;
    damaged.key = {Ctl::Command6};
    damaged.picture = kDamagedPicture;
    for (const auto& d : {pictured, missing, damaged}) ASSERT_TRUE(platform_.createControl(1, d).ok());
    constexpr std::uint32_t kRed = 0xFF0000, kWhitePixel = 0xFFFFFF, kGreen = 0x00FF00;

    Snapshot shown(control(pictured.key));
    EXPECT_EQ(shown.at(32, 38), kRed) << "picture in the middle";
    EXPECT_EQ(shown.at(5, 5), kWhitePixel) << "face in the button's colour";

    ASSERT_TRUE(platform_.setBackColour(1, pictured.key, Colour::rgb(0x00, 0xFF, 0x00)).ok());
    EXPECT_EQ(Snapshot(control(pictured.key)).at(5, 5), kGreen);

    ASSERT_TRUE(platform_.setEnabled(1, pictured.key, false).ok());
    const Snapshot disabled(control(pictured.key));
    EXPECT_FALSE(disabled.any(kRed)) << "the picture is drawn grey";
    EXPECT_EQ(disabled.at(5, 5), kGreen);

    const Snapshot without(control(missing.key));
    EXPECT_FALSE(without.any(kRed));
    EXPECT_EQ(without.at(32, 38), kWhitePixel) << "a missing picture is not drawn";
    EXPECT_EQ(Snapshot(control(damaged.key)).at(32, 38), kWhitePixel) << "nor a damaged one";
}

TEST(PackedPicture, UnpacksToItsStatedLengthOrNotAtAll) {
    // "abc" packed: its length, then zlib's stream of it.
    const std::vector<std::uint8_t> packed{3,    0,    0,    0,    0x78, 0x9c, 0x4b, 0x4c,
                                           0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x27};
    const auto unpacked = unpackBitmap(packed.data(), packed.size());
    ASSERT_TRUE(unpacked.has_value());
    EXPECT_EQ(*unpacked, (std::vector<std::uint8_t>{'a', 'b', 'c'}));

    std::vector<std::uint8_t> longer = packed;
    longer[0] = 4;  // says one byte more than the stream holds
    std::vector<std::uint8_t> huge = packed;
    huge[3] = 0x7F;  // far more than any picture
    std::vector<std::uint8_t> cut(packed.begin(), packed.end() - 5);
    for (const auto& bad : {longer, huge, cut, std::vector<std::uint8_t>{3, 0, 0}}) {
        EXPECT_FALSE(unpackBitmap(bad.data(), bad.size()).has_value()) << bad.size() << " bytes";
    }
    EXPECT_FALSE(unpackBitmap(nullptr, 0).has_value());
}

TEST(IdleTime, UnpacksThePicturesOfTheAskedScaleOnceAndThenRests) {
    SharedGraphics graphics(GetModuleHandleW(nullptr));
    EXPECT_FALSE(graphics.prepareOnePicture()) << "nothing asked for yet";
    ASSERT_NE(graphics.picture(kRedPicture, 96), nullptr);
    // The damaged picture is tried once; then there is nothing left at 100 %.
    EXPECT_TRUE(graphics.prepareOnePicture());
    EXPECT_FALSE(graphics.prepareOnePicture());
    EXPECT_FALSE(graphics.prepareOnePicture()) << "and it stays at rest";
    EXPECT_EQ(graphics.picture(kDamagedPicture, 96), nullptr);

    // At 150 % its one picture is the one asked for: nothing more to do.
    const LoadedPicture* large = graphics.picture(kRedPicture, 144);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->width, 12);
    EXPECT_FALSE(graphics.prepareOnePicture());
}

TEST_F(PageWindowTest, MovingToAMonitorOfAnotherResolutionLaysThePageOutAgain) {
    createControls();
    ControlDesign name = design({Ctl::Label1}, ControlKind::Label, {460, 64, 148, 15}, L"社名");
    name.font = {L"ＭＳ Ｐゴシック", 1125, true, false};
    ControlDesign pictured = design({Ctl::Command4}, ControlKind::Button, {681, 44, 64, 76});
    pictured.picture = kRedPicture;
    pictured.back = kWhite;
    for (const auto& d : {name, pictured}) ASSERT_TRUE(platform_.createControl(1, d).ok());
    const auto fontHeight = [&](ControlKey key) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(key), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    const auto outer = [&] {
        RECT r{};
        GetWindowRect(page(), &r);
        return Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    constexpr UINT kDpiChanged = 0x02E0;
    const auto moveTo = [&](int dpi, RECT suggested) {
        SendMessageW(page(), kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };

    // To a monitor of 144 dpi: everything 1.5 times, at the place the system suggests.
    moveTo(144, RECT{40, 30, 40 + 1182, 30 + 842});
    EXPECT_EQ(outer(), (Bounds{40, 30, 1182, 842}));
    EXPECT_EQ(boundsOf(control(kFrame)), (Bounds{9, 90, 1157, 722}));
    EXPECT_EQ(boundsOf(control(kProgram)), (Bounds{2, 125, 96, 114}));  // in the frame: 15, 1245 twips
    EXPECT_EQ(boundsOf(control(kNext)), (Bounds{1022, 5, 71, 44}));
    EXPECT_EQ(boundsOf(control(name.key)).left, 690);
    EXPECT_EQ(fontHeight(name.key), -23) << "11.25 pt at 144 dpi";
    EXPECT_EQ(fontHeight(kEntryBox), -18) << "9 pt at 144 dpi";
    const Snapshot large(control(pictured.key));
    EXPECT_EQ(large.at(large.width() / 2, large.height() / 2), 0x0000FFu) << "the 150 % picture";
    EXPECT_EQ(large.at(large.width() / 2 - 7, large.height() / 2), 0xFFFFFFu) << "at its own 12 pixels";

    // At 125 % the program has no picture of its own: the 100 % one, not stretched.
    moveTo(120, RECT{40, 30, 40 + 985, 30 + 701});
    EXPECT_EQ(outer(), (Bounds{40, 30, 985, 701}));
    const Snapshot middle(control(pictured.key));
    EXPECT_EQ(middle.at(middle.width() / 2, middle.height() / 2), 0xFF0000u);
    EXPECT_EQ(middle.at(middle.width() / 2 - 5, middle.height() / 2), 0xFFFFFFu);

    // And back: exactly as designed.
    moveTo(96, RECT{40, 30, 40 + 788, 30 + 561});
    EXPECT_EQ(outer(), (Bounds{40, 30, 788, 561}));
    EXPECT_EQ(boundsOf(control(kProgram)), (Bounds{1, 83, 64, 76}));
    EXPECT_EQ(boundsOf(control(kNext)), (Bounds{681, 3, 47, 29}));
    EXPECT_EQ(fontHeight(name.key), -15);
}

TEST_F(PageWindowTest, CaptionIsDrawnInTheButtonsTextColour) {
    ControlDesign captioned = design({Ctl::Command5}, ControlKind::Button, {0, 0, 64, 20}, L"サポート");
    captioned.back = Colour::rgb(0x00, 0xFF, 0x00);
    captioned.fore = Colour::rgb(0x00, 0x00, 0xFF);
    ASSERT_TRUE(platform_.createControl(1, captioned).ok());
    EXPECT_TRUE(Snapshot(control(captioned.key)).any(0x0000FF));
}

TEST_F(PageWindowTest, OneTooltipWindowServesThePage) {
    createControls();
    ASSERT_TRUE(platform_.setTooltip(1, kNameLabel, L"一度のみ入力可能です").ok());
    ASSERT_TRUE(platform_.setTooltip(1, kNameLabel, L"変形角丸　一級課題").ok());
    ASSERT_TRUE(platform_.setTooltip(1, kProgram, L"垂直方向変形").ok());

    std::vector<HWND> tooltips;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            if (_wcsicmp(className(w).c_str(), TOOLTIPS_CLASSW) == 0)
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltips));
    ASSERT_EQ(tooltips.size(), 1u);
    const HWND tooltip = tooltips.front();
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), page());
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);

    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = page();
    tool.uId = reinterpret_cast<UINT_PTR>(control(kNameLabel));
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(Text(text), L"変形角丸　一級課題");

    ASSERT_TRUE(platform_.setTooltip(1, kProgram, L"").ok());
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(PageWindowTest, ShownPageComesToTheFrontAndHiddenPageGoes) {
    ASSERT_TRUE(platform_.createWindow(2, window()).ok());
    const HWND second = platform_.pageWindow(2);
    ASSERT_TRUE(platform_.showWindow(1).ok());
    ASSERT_TRUE(platform_.showWindow(2).ok());
    EXPECT_TRUE(IsWindowVisible(page()));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(GetForegroundWindow(), second);
    bool firstBelow = false;
    for (HWND w = GetWindow(second, GW_HWNDNEXT); w && !firstBelow; w = GetWindow(w, GW_HWNDNEXT)) {
        firstBelow = w == page();
    }
    EXPECT_TRUE(firstBelow) << "page 1 lies beneath page 2";

    ASSERT_TRUE(platform_.hideWindow(2).ok());
    EXPECT_FALSE(IsWindowVisible(second));
    ASSERT_TRUE(platform_.showWindow(1).ok());
    EXPECT_EQ(GetForegroundWindow(), page());
}

TEST_F(PageWindowTest, MessageBoxAsksOverItsPageAndReturnsTheAnswer) {
    const Text title = L"登録 " + test::uniqueName(L"");
    const Text text = L"山田板金\r\n\r\n上記の社名で登録しますか？";
    struct Seen {
        bool yes = false, no = false, ok = false;
        HWND owner = nullptr;
        Text text;
    } seen;
    test::Thread answerer([&] {
        HWND box = nullptr;
        if (!test::waitFor([&] { return (box = FindWindowW(L"#32770", title.c_str())) != nullptr; })) return;
        seen.yes = GetDlgItem(box, IDYES) != nullptr;
        seen.no = GetDlgItem(box, IDNO) != nullptr;
        seen.ok = GetDlgItem(box, IDOK) != nullptr;
        seen.owner = GetWindow(box, GW_OWNER);
        wchar_t shown[128] = {};
        GetDlgItemTextW(box, 0xFFFF, shown, 128);
        seen.text = shown;
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    const auto answer = platform_.messageBox(1, text, title, MessageButtons::YesNo, MessageIcon::Question);
    answerer.join();

    ASSERT_TRUE(answer.ok());
    EXPECT_EQ(answer.value(), Answer::No);
    EXPECT_TRUE(seen.yes && seen.no && !seen.ok) << "Yes and No only";
    EXPECT_EQ(seen.owner, page());
    EXPECT_EQ(seen.text, text);
}

}  // namespace
}  // namespace win32
}  // namespace vandrel
