#include "tests/e2e/driver/user_input.h"

#include <cstring>
#include <string>

namespace {

struct KeyName {
    const char* name;
    WORD vk;
};

const KeyName kKeys[] = {
    {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},
    {"SPACE", VK_SPACE},   {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},   {"UP", VK_UP},
    {"DOWN", VK_DOWN},     {"HOME", VK_HOME},     {"END", VK_END},       {"DELETE", VK_DELETE},
    {"BACK", VK_BACK},     {"ALT", VK_MENU},      {"CTRL", VK_CONTROL},  {"SHIFT", VK_SHIFT},
    {"F4", VK_F4},         {"F5", VK_F5},
};

WORD VirtualKey(const std::string& name) {
    for (const KeyName& k : kKeys)
        if (name == k.name) return k.vk;
    if (name.size() == 1) return (WORD)(VkKeyScanA(name[0]) & 0xff);
    return 0;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// Lets the target's thread take the input before the next command reads state.
void Settle() { Sleep(150); }

constexpr DWORD kPollMs = 50;
constexpr DWORD kReadyWaitMs = 5000;

bool BringForward(HWND hwnd) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    SetForegroundWindow(top);
    return GetForegroundWindow() == top;
}

// A window under a modal box is disabled and ignores input.
bool TakesInput(HWND hwnd) {
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

// Polls ready() until it holds or the time is up, calling nudge() between polls.
template <typename Ready, typename Nudge>
bool WaitUntil(Ready ready, Nudge nudge) {
    DWORD start = GetTickCount();
    while (!ready()) {
        if (GetTickCount() - start >= kReadyWaitMs) return false;
        nudge();
        Sleep(kPollMs);
    }
    return true;
}

// A window that has just appeared may not be active or on top yet: a click
// now would land elsewhere or nowhere. Its top window counts as active once
// the program's thread has taken the activation: only then does
// GetForegroundWindow report it.
bool WaitUntilClickable(HWND hwnd, POINT screen) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    return WaitUntil(
        [&] {
            HWND hit = WindowFromPoint(screen);
            return TakesInput(hwnd) && GetForegroundWindow() == top && (hit == hwnd || IsChild(hwnd, hit));
        },
        [&] { BringForward(hwnd); });
}

// Keys go to the focus of the foreground window: there is none while a window
// that has just appeared is not active yet, or a closed box's owner is not
// active again.
bool WaitForKeyboardTarget() {
    return WaitUntil(
        [] {
            HWND top = GetForegroundWindow();
            return top && TakesInput(top);
        },
        [] {});
}

// Each event carries its own absolute point. Wine turns the X pointer's
// crossing events (a window appears or goes away under the pointer) into
// pointer moves to where the pointer was then; one handled late would move a
// press or a release that used the cursor position off the target.
INPUT MouseInput(POINT screen, DWORD button) {
    LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // the pixel's centre on the 0..65535 scale
    in.mi.dx = (LONG)(((2LL * screen.x + 1) * 65536) / (2LL * width));
    in.mi.dy = (LONG)(((2LL * screen.y + 1) * 65536) / (2LL * height));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    return in;
}

}  // namespace

bool ClickAt(HWND hwnd, POINT client) {
    if (!IsWindow(hwnd)) return false;
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    if (!WaitUntilClickable(hwnd, screen)) return false;
    INPUT in[2] = {MouseInput(screen, MOUSEEVENTF_LEFTDOWN), MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    bool sent = SendInput(2, in, sizeof(INPUT)) == 2;
    Settle();
    return sent;
}

bool ClickCenter(HWND hwnd) {
    RECT rc;
    if (!GetClientRect(hwnd, &rc)) return false;
    POINT center = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    return ClickAt(hwnd, center);
}

bool PressKeys(const char* keys) {
    INPUT in[16];
    WORD held[8];
    int heldCount = 0;
    std::string all = keys;
    size_t start = 0;
    while (start <= all.size() && heldCount < 8) {
        size_t plus = all.find('+', start);
        std::string name = all.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        WORD vk = VirtualKey(name);
        if (!vk) return false;
        held[heldCount++] = vk;
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    int n = 0;
    for (int i = 0; i < heldCount; ++i) in[n++] = KeyInput(held[i], false);
    for (int i = heldCount - 1; i >= 0; --i) in[n++] = KeyInput(held[i], true);
    if (!WaitForKeyboardTarget()) return false;
    bool sent = SendInput(n, in, sizeof(INPUT)) == (UINT)n;
    Settle();
    return sent;
}

bool TypeText(const char* text) {
    if (!WaitForKeyboardTarget()) return false;
    for (const char* p = text; *p; ++p) {
        SHORT scan = VkKeyScanA(*p);
        if (scan == -1) return false;
        INPUT in[4];
        int n = 0;
        bool shift = (scan & 0x100) != 0;
        if (shift) in[n++] = KeyInput(VK_SHIFT, false);
        in[n++] = KeyInput((WORD)(scan & 0xff), false);
        in[n++] = KeyInput((WORD)(scan & 0xff), true);
        if (shift) in[n++] = KeyInput(VK_SHIFT, true);
        if (SendInput(n, in, sizeof(INPUT)) != (UINT)n) return false;
    }
    Settle();
    return true;
}

bool FocusControl(HWND hwnd) {
    DWORD target = GetWindowThreadProcessId(hwnd, nullptr);
    DWORD self = GetCurrentThreadId();
    // SetFocus works only on windows of the calling thread's input queue
    AttachThreadInput(self, target, TRUE);
    BringForward(hwnd);
    SetFocus(hwnd);
    bool focused = GetFocus() == hwnd;
    AttachThreadInput(self, target, FALSE);
    Settle();
    return focused;
}

bool PostButtonClick(HWND button) {
    if (!WaitUntil([&] { return TakesInput(button); }, [] {})) return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    Settle();
    return true;
}
