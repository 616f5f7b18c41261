#include "platform/dui/native.h"

#include <QPushButton>
#include <QWidget>
#include <unordered_map>

namespace dui {

namespace {

// Live windows and their control ids; the UI thread's only.
std::unordered_map<const QWidget*, int>& Windows() {
    static std::unordered_map<const QWidget*, int> windows;
    return windows;
}

}  // namespace

void RegisterWindow(HWND hwnd, int id) {
    Windows()[hwnd] = id;
    QObject::connect(hwnd, &QObject::destroyed,
                     [hwnd](QObject*) { Windows().erase(static_cast<const QWidget*>(hwnd)); });
}

HWND CreateWindowEx(unsigned, const std::wstring& className, const std::wstring& text,
                    unsigned style, int x, int y, int cx, int cy, HWND parent, int id) {
    QWidget* window = nullptr;
    if (className == L"BUTTON") {
        auto* button = new QPushButton(QString::fromStdWString(text), parent);
        // A hosted button takes no focus by itself, as the skin's own buttons.
        button->setFocusPolicy(Qt::NoFocus);
        window = button;
    } else if (className == L"STATIC") {
        window = new QWidget(parent);
        window->setWindowTitle(QString::fromStdWString(text));
    } else {
        return nullptr;
    }
    window->setGeometry(x, y, cx, cy);
    window->setVisible((style & WS_VISIBLE) != 0);
    RegisterWindow(window, id);
    return window;
}

bool IsWindow(HWND hwnd) {
    return hwnd != nullptr && Windows().contains(hwnd);
}

bool IsWindowVisible(HWND hwnd) {
    return IsWindow(hwnd) && hwnd->isVisible();
}

void DestroyWindow(HWND hwnd) {
    if (IsWindow(hwnd)) {
        delete hwnd;
    }
}

void ShowWindow(HWND hwnd, bool show) {
    if (IsWindow(hwnd)) {
        hwnd->setVisible(show);
    }
}

void MinimizeWindow(HWND hwnd) {
    if (IsWindow(hwnd)) {
        hwnd->showMinimized();
    }
}

void SetWindowPos(HWND hwnd, int x, int y, int cx, int cy) {
    if (IsWindow(hwnd)) {
        hwnd->setGeometry(x, y, cx, cy);
    }
}

int GetDlgCtrlID(HWND hwnd) {
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? 0 : it->second;
}

std::wstring GetWindowText(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return {};
    }
    if (auto* button = qobject_cast<QPushButton*>(hwnd)) {
        return button->text().toStdWString();
    }
    return hwnd->windowTitle().toStdWString();
}

}  // namespace dui
