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

bool BringForward(HWND hwnd) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    SetForegroundWindow(top);
    return GetForegroundWindow() == top;
}

constexpr DWORD kHitWaitMs = 3000;

// A window that has just appeared may not be on top yet: a click now would
// land on whatever lies under the point.
bool WaitUntilHit(HWND hwnd, POINT screen) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND hit = WindowFromPoint(screen);
        if (hit == hwnd || IsChild(hwnd, hit)) return true;
        if (GetTickCount() - start >= kHitWaitMs) return false;
        BringForward(hwnd);
        Sleep(50);
    }
}

}  // namespace

bool ClickAt(HWND hwnd, POINT client) {
    if (!IsWindow(hwnd)) return false;
    BringForward(hwnd);
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    if (!WaitUntilHit(hwnd, screen)) return false;
    SetCursorPos(screen.x, screen.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
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
    bool sent = SendInput(n, in, sizeof(INPUT)) == (UINT)n;
    Settle();
    return sent;
}

bool TypeText(const char* text) {
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

void PostButtonClick(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
    Settle();
}
