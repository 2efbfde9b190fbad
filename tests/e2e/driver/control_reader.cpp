#include "tests/e2e/driver/control_reader.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "tests/e2e/driver/json_line.h"
#include "tests/e2e/driver/remote_buffer.h"

namespace {

constexpr UINT kSendTimeoutMs = 3000;
constexpr int kTextMax = 512;

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return -1;
    return (LRESULT)result;
}

std::string ClassOf(HWND hwnd) {
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string RectJson(const RECT& rc) {
    char buf[96];
    snprintf(buf, sizeof(buf), "[%ld,%ld,%ld,%ld]", rc.left, rc.top, rc.right, rc.bottom);
    return buf;
}

std::string HandleText(HWND hwnd) {
    char buf[32];
    snprintf(buf, sizeof(buf), "0x%llx", (unsigned long long)(ULONG_PTR)hwnd);
    return buf;
}

// Reads a text that a control writes into remote memory at the buffer's tail.
std::string RemoteText(const RemoteBuffer& buf, size_t offset) {
    char text[kTextMax + 1] = "";
    if (!buf.Read(offset, text, kTextMax)) return "";
    text[kTextMax] = '\0';
    return text;
}

struct FindArgs {
    const char* title;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
    FindArgs* args = (FindArgs*)lp;
    char title[kTextMax] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    if (!IsWindowVisible(hwnd) || strcmp(title, args->title) != 0) return TRUE;
    if (args->className && ClassOf(hwnd) != args->className) return TRUE;
    args->found = hwnd;
    return FALSE;
}

BOOL CALLBACK TopProc(HWND hwnd, LPARAM lp) {
    JsonArray* all = (JsonArray*)lp;
    char title[kTextMax] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    all->Add(JsonLine()
                 .Str("hwnd", HandleText(hwnd).c_str())
                 .Str("class", ClassOf(hwnd).c_str())
                 .Str("title", title)
                 .Bool("visible", IsWindowVisible(hwnd) != 0)
                 .Done());
    return TRUE;
}

BOOL CALLBACK ChildProc(HWND hwnd, LPARAM lp) {
    JsonArray* all = (JsonArray*)lp;
    RECT rc;
    GetWindowRect(hwnd, &rc);
    all->Add(JsonLine()
                 .Str("hwnd", HandleText(hwnd).c_str())
                 .Str("parent", HandleText(GetParent(hwnd)).c_str())
                 .Int("id", (long long)(short)GetDlgCtrlID(hwnd))
                 .Str("class", ClassOf(hwnd).c_str())
                 .Str("text", TextOf(hwnd).c_str())
                 .Bool("visible", IsWindowVisible(hwnd) != 0)
                 .Bool("enabled", IsWindowEnabled(hwnd) != 0)
                 .Int("style", (long long)(DWORD)GetWindowLongA(hwnd, GWL_STYLE))
                 .Raw("rect", RectJson(rc))
                 .Done());
    return TRUE;
}

struct ButtonArgs {
    const char* text;
    HWND found;
};

BOOL CALLBACK ButtonProc(HWND hwnd, LPARAM lp) {
    ButtonArgs* args = (ButtonArgs*)lp;
    if (ClassOf(hwnd) != "Button") return TRUE;
    std::string text = TextOf(hwnd);
    // a message box button may carry an accelerator: "&Yes"
    std::string plain;
    for (char c : text)
        if (c != '&') plain += c;
    if (text != args->text && plain != args->text) return TRUE;
    args->found = hwnd;
    return FALSE;
}

// The window with the keyboard focus in the thread that owns hwnd.
std::string FocusJson(HWND hwnd) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) || !info.hwndFocus) return "null";
    return JsonLine()
        .Str("hwnd", HandleText(info.hwndFocus).c_str())
        .Str("class", ClassOf(info.hwndFocus).c_str())
        .Int("id", (long long)(short)GetDlgCtrlID(info.hwndFocus))
        .Done();
}

}  // namespace

HWND FindTopWindow(const char* title, const char* className) {
    FindArgs args = {title, className, nullptr};
    EnumWindows(FindProc, (LPARAM)&args);
    return args.found;
}

std::string TopWindowJson(HWND hwnd) {
    RECT rc, client;
    GetWindowRect(hwnd, &rc);
    GetClientRect(hwnd, &client);
    DWORD style = (DWORD)GetWindowLongA(hwnd, GWL_STYLE);
    DWORD exStyle = (DWORD)GetWindowLongA(hwnd, GWL_EXSTYLE);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return JsonLine()
        .Str("hwnd", HandleText(hwnd).c_str())
        .Str("class", ClassOf(hwnd).c_str())
        .Str("title", TextOf(hwnd).c_str())
        .Int("pid", pid)
        .Int("style", style)
        .Int("exstyle", exStyle)
        .Bool("caption", (style & WS_CAPTION) == WS_CAPTION)
        .Bool("sysmenu", (style & WS_SYSMENU) != 0)
        .Bool("minimizebox", (style & WS_MINIMIZEBOX) != 0)
        .Bool("maximizebox", (style & WS_MAXIMIZEBOX) != 0)
        .Bool("thickframe", (style & WS_THICKFRAME) != 0)
        .Bool("appwindow", (exStyle & WS_EX_APPWINDOW) != 0)
        .Bool("visible", IsWindowVisible(hwnd) != 0)
        .Bool("enabled", IsWindowEnabled(hwnd) != 0)
        .Raw("focus", FocusJson(hwnd))
        .Raw("rect", RectJson(rc))
        .Raw("client", RectJson(client))
        .Done();
}

std::string TopWindowsJson() {
    JsonArray all;
    EnumWindows(TopProc, (LPARAM)&all);
    return all.Done();
}

std::string ChildrenJson(HWND parent) {
    JsonArray all;
    EnumChildWindows(parent, ChildProc, (LPARAM)&all);
    return all.Done();
}

std::string TextOf(HWND hwnd) {
    char text[kTextMax] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
        return "";
    text[sizeof(text) - 1] = '\0';
    return text;
}

std::string ListViewJson(HWND list) {
    RemoteBuffer buf(list, sizeof(LVITEMA) + kTextMax + 1);
    if (!buf.Ok()) return "";
    const size_t textOffset = sizeof(LVITEMA);
    char* remoteText = (char*)buf.Address() + textOffset;

    HWND header = (HWND)Send(list, LVM_GETHEADER, 0, 0);
    int columnCount = header ? (int)Send(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    JsonArray columns;
    for (int c = 0; c < columnCount; ++c) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = remoteText;
        col.cchTextMax = kTextMax;
        buf.Write(0, &col, sizeof(col));
        buf.Write(textOffset, "", 1);
        Send(list, LVM_GETCOLUMNA, c, buf.Param());
        buf.Read(0, &col, sizeof(col));
        columns.Add(JsonLine().Str("text", RemoteText(buf, textOffset).c_str()).Int("width", col.cx).Done());
    }

    int rowCount = (int)Send(list, LVM_GETITEMCOUNT, 0, 0);
    JsonArray rows;
    JsonArray selected;
    for (int r = 0; r < rowCount; ++r) {
        JsonArray cells;
        for (int c = 0; c < (columnCount ? columnCount : 1); ++c) {
            LVITEMA item = {};
            item.iSubItem = c;
            item.pszText = remoteText;
            item.cchTextMax = kTextMax;
            buf.Write(0, &item, sizeof(item));
            buf.Write(textOffset, "", 1);
            Send(list, LVM_GETITEMTEXTA, r, buf.Param());
            cells.Add(JsonString(RemoteText(buf, textOffset).c_str()));
        }
        rows.Add(cells.Done());
        if (RowSelected(list, r)) selected.Add(std::to_string(r));
    }
    return JsonLine()
        .Raw("columns", columns.Done())
        .Raw("rows", rows.Done())
        .Raw("selected", selected.Done())
        .Int("top", (long long)Send(list, LVM_GETTOPINDEX, 0, 0))
        .Int("exstyle", (long long)Send(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0))
        .Done();
}

std::string TabJson(HWND tab) {
    RemoteBuffer buf(tab, sizeof(TCITEMA) + kTextMax + 1);
    if (!buf.Ok()) return "";
    const size_t textOffset = sizeof(TCITEMA);
    int count = (int)Send(tab, TCM_GETITEMCOUNT, 0, 0);
    JsonArray items;
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (char*)buf.Address() + textOffset;
        item.cchTextMax = kTextMax;
        buf.Write(0, &item, sizeof(item));
        buf.Write(textOffset, "", 1);
        Send(tab, TCM_GETITEMA, i, buf.Param());
        items.Add(JsonString(RemoteText(buf, textOffset).c_str()));
    }
    return JsonLine()
        .Raw("items", items.Done())
        .Int("selected", (long long)Send(tab, TCM_GETCURSEL, 0, 0))
        .Int("focus", (long long)Send(tab, TCM_GETCURFOCUS, 0, 0))
        .Done();
}

std::string ComboJson(HWND combo) {
    int count = (int)Send(combo, CB_GETCOUNT, 0, 0);
    JsonArray items;
    for (int i = 0; i < count; ++i) {
        // Wine copies the item back across processes as UTF-16 whichever
        // variant is sent, so ask for that and convert it ourselves
        wchar_t wide[kTextMax] = L"";
        char text[kTextMax] = "";
        DWORD_PTR len = 0;
        if (SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len) &&
            len < kTextMax &&
            SendMessageTimeoutW(combo, CB_GETLBTEXT, i, (LPARAM)wide, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len))
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        text[sizeof(text) - 1] = '\0';
        items.Add(JsonString(text));
    }
    return JsonLine()
        .Raw("items", items.Done())
        .Int("selected", (long long)Send(combo, CB_GETCURSEL, 0, 0))
        .Str("text", TextOf(combo).c_str())
        .Done();
}

std::string IpAddressJson(HWND ip) {
    RemoteBuffer buf(ip, sizeof(DWORD));
    if (!buf.Ok()) return "";
    DWORD address = 0;
    buf.Write(0, &address, sizeof(address));
    int filled = (int)Send(ip, IPM_GETADDRESS, 0, buf.Param());
    buf.Read(0, &address, sizeof(address));
    char dotted[16];
    snprintf(dotted, sizeof(dotted), "%lu.%lu.%lu.%lu", (address >> 24) & 0xff, (address >> 16) & 0xff,
             (address >> 8) & 0xff, address & 0xff);
    return JsonLine()
        .Str("address", dotted)
        .Int("filled", filled)
        .Bool("blank", Send(ip, IPM_ISBLANK, 0, 0) != 0)
        .Str("text", TextOf(ip).c_str())
        .Done();
}

std::string CheckJson(HWND button) { return std::to_string(CheckState(button)); }

std::string MessageBoxJson(HWND box) {
    // the message text is the static with id 0xFFFF; the icon static has no text
    HWND message = GetDlgItem(box, 0xFFFF);
    JsonArray buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "Button" && IsWindowVisible(child)) buttons.Add(JsonString(TextOf(child).c_str()));
    return JsonLine()
        .Str("hwnd", HandleText(box).c_str())
        .Str("title", TextOf(box).c_str())
        .Str("text", message ? TextOf(message).c_str() : "")
        .Raw("buttons", buttons.Done())
        .Done();
}

int TabSelection(HWND tab) { return (int)Send(tab, TCM_GETCURSEL, 0, 0); }

int CheckState(HWND button) { return (int)Send(button, BM_GETCHECK, 0, 0); }

bool TogglesCheck(HWND button) {
    DWORD type = (DWORD)GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    return ClassOf(button) == "Button" && (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE);
}

bool RowSelected(HWND list, int row) { return (Send(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0; }

bool TabItemRect(HWND tab, int index, RECT* rc) {
    RemoteBuffer buf(tab, sizeof(RECT));
    return Send(tab, TCM_GETITEMRECT, index, buf.Param()) > 0 && buf.Read(0, rc, sizeof(*rc));
}

bool ListRowRect(HWND list, int row, RECT* rc) {
    RemoteBuffer buf(list, sizeof(RECT));
    RECT want = {};
    want.left = LVIR_LABEL;
    return buf.Write(0, &want, sizeof(want)) && Send(list, LVM_GETITEMRECT, row, buf.Param()) > 0 &&
           buf.Read(0, rc, sizeof(*rc));
}

HWND ChildButtonByText(HWND parent, const char* text) {
    ButtonArgs args = {text, nullptr};
    EnumChildWindows(parent, ButtonProc, (LPARAM)&args);
    return args.found;
}
