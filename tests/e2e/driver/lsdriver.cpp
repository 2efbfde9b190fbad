// lsdriver: drives another program's windows for the end-to-end tests.
//
//   lsdriver [--desktop NAME] COMMAND ARGS...   runs one command
//   lsdriver [--desktop NAME]                   reads commands from stdin, one per
//                                               line, arguments separated by tabs
//
// Every command answers one line: {"ok":true,"result":...} or {"ok":false,"error":...}.
// Window handles are written and read as hexadecimal ("0x1a2b"); times in ms.
//
//   find TITLE [TIMEOUT [CLASS]]   a visible top-level window: class, styles, rect, focus
//   msgbox TITLE [TIMEOUT]         a message box: its text and buttons
//   gone HWND [TIMEOUT]            waits until the window is destroyed
//   idle HWND [TIMEOUT]            waits until the window's thread takes messages again
//   windows | info HWND | children HWND | text HWND
//   listview HWND | tabs HWND | combo HWND | ipaddr HWND | check HWND
//   click HWND [X Y] | clicktab HWND INDEX | clickrow HWND ROW
//                                  real mouse clicks once the window takes them (user_input.h);
//                                  a tab's or a row's is confirmed by the selection
//   button HWND | press BOX BUTTONTEXT
//                                  BM_CLICK posted once the button takes input; a check
//                                  box's is confirmed by its check
//   settext HWND TEXT | focus HWND | keys NAME[+NAME...] | type TEXT | sleep MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver/control_reader.h"
#include "tests/e2e/driver/json_line.h"
#include "tests/e2e/driver/user_input.h"

namespace {

constexpr DWORD kPollMs = 50;
constexpr DWORD kClickEffectMs = 2000;
constexpr DWORD kBusyWaitMs = 30000;
constexpr int kClickAttempts = 3;

using Args = std::vector<std::string>;

struct Reply {
    bool ok;
    std::string json;  // the result, or the error text when !ok
};

Reply Ok(const std::string& json) { return {true, json}; }
Reply Ok(bool done) { return {done, done ? "true" : "the system refused"}; }
Reply Fail(const char* why) { return {false, why}; }
// Readers that need memory in the target process give nothing when they cannot have it.
Reply Read(const std::string& json) { return json.empty() ? Fail("cannot reach the control's process") : Ok(json); }

HWND Handle(const std::string& text) { return (HWND)(ULONG_PTR)strtoull(text.c_str(), nullptr, 0); }

DWORD Timeout(const Args& a, size_t i) { return a.size() > i ? (DWORD)strtoul(a[i].c_str(), nullptr, 10) : 0; }

// Polls until found() gives a window or the time-out passes.
template <typename Find>
HWND WaitFor(DWORD timeoutMs, Find found) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND hwnd = found()) return hwnd;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

// Input waits in the program's queue behind any work it is doing, and a read
// sent meanwhile is answered first: wait for the input's effect, and before
// calling it lost, for the program's thread to finish what held it.
template <typename Effect>
bool Took(HWND target, Effect effect) {
    if (WaitFor(kClickEffectMs, effect)) return true;
    DWORD_PTR ignored;
    SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, kBusyWaitMs, &ignored);
    return WaitFor(kClickEffectMs, effect) != nullptr;
}

// A click on a tab or a row counts once the selection shows it; only a click
// that a program with time for it never took is sent again.
Reply ClickItem(HWND target, bool tab, int index) {
    RECT rc;
    if (!(tab ? TabItemRect(target, index, &rc) : ListRowRect(target, index, &rc))) return Fail("no such item");
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    auto selected = [&] { return (tab ? TabSelection(target) == index : RowSelected(target, index)) ? target : nullptr; };
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
        if (!ClickAt(target, pt)) return Fail("the control takes no click");
        if (Took(target, selected)) return Ok(true);
    }
    return Fail("the click changed no selection");
}

// A posted click is never lost, but a disabled button, or one under a modal
// box, ignores it. A check box's click counts once its check shows it.
Reply PressButton(HWND button) {
    bool toggles = TogglesCheck(button);
    int before = toggles ? CheckState(button) : 0;
    if (!PostButtonClick(button)) return Fail("the button takes no input");
    if (toggles && !Took(button, [&] { return CheckState(button) != before ? button : nullptr; }))
        return Fail("the click changed no check");
    return Ok(true);
}

Reply Run(const Args& a) {
    const std::string& cmd = a[0];
    size_t n = a.size();
    HWND target = n > 1 ? Handle(a[1]) : nullptr;
    bool needsWindow = cmd != "find" && cmd != "windows" && cmd != "msgbox" && cmd != "keys" &&
                       cmd != "type" && cmd != "sleep";
    if (needsWindow && cmd != "gone" && !IsWindow(target)) return Fail("no such window");

    if (cmd == "find" && n >= 2) {
        const char* cls = n > 3 && !a[3].empty() ? a[3].c_str() : nullptr;
        HWND hwnd = WaitFor(Timeout(a, 2), [&] { return FindTopWindow(a[1].c_str(), cls); });
        return hwnd ? Ok(TopWindowJson(hwnd)) : Fail("window not found");
    }
    if (cmd == "msgbox" && n >= 2) {
        HWND hwnd = WaitFor(Timeout(a, 2), [&] { return FindTopWindow(a[1].c_str(), "#32770"); });
        return hwnd ? Ok(MessageBoxJson(hwnd)) : Fail("message box not found");
    }
    if (cmd == "gone" && n >= 2) {
        HWND hwnd = WaitFor(Timeout(a, 2), [&] { return IsWindow(target) ? nullptr : target; });
        return hwnd ? Ok(true) : Fail("window still there");
    }
    if (cmd == "idle") {
        // answered only once the window's thread pumps messages again
        DWORD_PTR ignored;
        return Ok(SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, n > 2 ? Timeout(a, 2) : 30000,
                                      &ignored) != 0);
    }
    if (cmd == "windows") return Ok(TopWindowsJson());
    if (cmd == "info") return Ok(TopWindowJson(target));
    if (cmd == "children") return Ok(ChildrenJson(target));
    if (cmd == "text") return Ok(JsonString(TextOf(target).c_str()));
    if (cmd == "listview") return Read(ListViewJson(target));
    if (cmd == "tabs") return Read(TabJson(target));
    if (cmd == "combo") return Ok(ComboJson(target));
    if (cmd == "ipaddr") return Read(IpAddressJson(target));
    if (cmd == "check") return Ok(CheckJson(target));
    if (cmd == "click" && n >= 4) {
        POINT pt = {atoi(a[2].c_str()), atoi(a[3].c_str())};
        return ClickAt(target, pt) ? Ok(true) : Fail("the window takes no click");
    }
    if (cmd == "click") return ClickCenter(target) ? Ok(true) : Fail("the window takes no click");
    if ((cmd == "clicktab" || cmd == "clickrow") && n >= 3) return ClickItem(target, cmd == "clicktab", atoi(a[2].c_str()));
    if (cmd == "button") return PressButton(target);
    if (cmd == "settext" && n >= 3) return Ok(SendMessageA(target, WM_SETTEXT, 0, (LPARAM)a[2].c_str()) != 0);
    if (cmd == "focus") return Ok(FocusControl(target));
    if (cmd == "keys" && n >= 2) return Ok(PressKeys(a[1].c_str()));
    if (cmd == "type" && n >= 2) return Ok(TypeText(a[1].c_str()));
    if (cmd == "press" && n >= 3) {
        HWND button = ChildButtonByText(target, a[2].c_str());
        return button ? PressButton(button) : Fail("no such button");
    }
    if (cmd == "sleep" && n >= 2) {
        Sleep(Timeout(a, 1));
        return Ok(true);
    }
    return Fail("unknown command or missing arguments");
}

void Answer(const Args& a) {
    Reply r = Run(a);
    std::string line = r.ok ? JsonLine().Bool("ok", true).Raw("result", r.json).Done()
                            : JsonLine().Bool("ok", false).Str("error", r.json.c_str()).Done();
    fputs(line.c_str(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

Args SplitTabs(const char* line) {
    Args out;
    std::string cur;
    for (const char* p = line; *p && *p != '\n' && *p != '\r'; ++p) {
        if (*p == '\t') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += *p;
        }
    }
    out.push_back(cur);
    return out;
}

constexpr DWORD kDesktopWaitMs = 60000;

// The program under test runs in Wine's virtual desktop; a thread sees only
// the windows of its own desktop. The program's start creates it, so wait.
bool JoinDesktop(const char* name) {
    DWORD start = GetTickCount();
    HDESK desk;
    while (!(desk = OpenDesktopA(name, 0, FALSE, GENERIC_ALL))) {
        if (GetTickCount() - start >= kDesktopWaitMs) return false;
        Sleep(kPollMs);
    }
    return SetThreadDesktop(desk);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "--desktop") == 0) {
        if (!JoinDesktop(argv[2])) {
            fprintf(stderr, "lsdriver: cannot join desktop %s\n", argv[2]);
            return 2;
        }
        first = 3;
    }
    if (first < argc) {
        Answer(Args(argv + first, argv + argc));
        return 0;
    }
    char line[4096];
    while (fgets(line, sizeof(line), stdin)) {
        Args a = SplitTabs(line);
        if (a[0] == "quit") break;
        if (!a[0].empty()) Answer(a);
    }
    return 0;
}
