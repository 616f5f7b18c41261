#pragma once
// Native windows as Win32 handles: the skinned windows' own and the few plain windows that a
// skin hosts (a push button, a static picture), made by window class name.

#include <string>

class QWidget;

namespace dui {

using HWND = QWidget*;

enum WindowStyle : unsigned {
    WS_CHILD = 0x40000000,
    WS_POPUP = 0x80000000,
    WS_VISIBLE = 0x10000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_CAPTION = 0x00C00000,
    WS_SYSMENU = 0x00080000,
};
inline constexpr unsigned WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// "BUTTON" (a push button) or "STATIC" (a plain child window); nullptr for any other class.
HWND CreateWindowEx(unsigned exStyle, const std::wstring& className, const std::wstring& text,
                    unsigned style, int x, int y, int cx, int cy, HWND parent, int id);
// True while the window exists.
bool IsWindow(HWND hwnd);
// True when the window and every window it lies in are shown.
bool IsWindowVisible(HWND hwnd);
void DestroyWindow(HWND hwnd);
void ShowWindow(HWND hwnd, bool show);
// Puts a top-level window on the taskbar, as the system's minimize command does.
void MinimizeWindow(HWND hwnd);
// Moves and sizes without changing the z-order or activating.
void SetWindowPos(HWND hwnd, int x, int y, int cx, int cy);
int GetDlgCtrlID(HWND hwnd);
std::wstring GetWindowText(HWND hwnd);

// Layer use: remembers a window so that IsWindow knows it until it is destroyed.
void RegisterWindow(HWND hwnd, int id);

}  // namespace dui
