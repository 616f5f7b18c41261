#include "platform/dui/window.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "platform/afx/ui_thread.h"
#include "platform/dui/builder.h"
#include "platform/dui/native_window.h"
#include "platform/dui/qt_util.h"

namespace dui {

WindowImplBase::WindowImplBase() : m_alive(std::make_shared<bool>(true)) {}

WindowImplBase::~WindowImplBase() {
    *m_alive = false;
    // The controls go before the native window that holds their widgets.
    m_PaintManager.DestroyRoot();
    if (m_native != nullptr) {
        m_native->Detach();
        delete m_native;
    }
}

HWND WindowImplBase::Create(HWND parent, const std::wstring& title, unsigned style, unsigned, int x,
                            int y, int cx, int cy) {
    bool child = (style & WS_CHILD) != 0 && parent != nullptr;
    Qt::WindowFlags flags = child               ? Qt::Widget
                            : parent != nullptr ? Qt::Dialog | Qt::FramelessWindowHint
                                                : Qt::Window | Qt::FramelessWindowHint;
    auto* native = new NativeWindow(this, parent, flags);
    native->setWindowTitle(ToQString(title));
    native->setObjectName(ToQString(GetWindowClassName()));
    m_native = native;
    m_hWnd = native;
    m_PaintManager.Init(native);
    CDialogBuilder builder;
    builder.SetPreloadPictures((style & WS_VISIBLE) != 0);
    CControlUI* root = builder.Create(GetSkinFile(), this, &m_PaintManager);
    if (root == nullptr) {
        m_native = nullptr;
        m_hWnd = nullptr;
        native->Detach();
        delete native;
        return nullptr;
    }
    RegisterWindow(native, 0);
    Size init = m_PaintManager.GetInitSize();
    int width = cx != CW_USEDEFAULT ? cx : init.cx;
    int height = cy != CW_USEDEFAULT ? cy : init.cy;
    if (init.cx > 0 && !child) {
        // A skinned top-level window takes its skin's size.
        width = init.cx;
        height = init.cy;
    }
    native->setGeometry(x != CW_USEDEFAULT ? x : 0, y != CW_USEDEFAULT ? y : 0, width, height);
    m_PaintManager.AttachDialog(root);
    m_PaintManager.AddNotifier(this);
    InitWindow();
    if ((style & WS_VISIBLE) != 0 && m_hWnd != nullptr) {
        ShowWindow(true, false);
    } else if (m_hWnd != nullptr) {
        // Hidden until shown: also when the parent comes up after it.
        native->hide();
    }
    return m_hWnd;
}

void WindowImplBase::ShowWindow(bool show, bool takeFocus) {
    afx::OnUiThread([&] {
        if (m_native == nullptr) {
            return;
        }
        if (!show) {
            m_native->hide();
            return;
        }
        if (m_native->isWindow() && m_native->focusWidget() == nullptr) {
            // The window holds the focus itself until a control is given it, so that Qt
            // does not hand it to the first edit. A child window leaves its top level's focus.
            m_native->setFocus(Qt::OtherFocusReason);
        }
        m_native->show();
        if (!m_native->isWindow()) {
            // A child window shown over its siblings' place lies above them.
            m_native->raise();
        }
        m_PaintManager.UpdateLayout();
        if (takeFocus && m_native->isWindow()) {
            m_native->raise();
            m_native->activateWindow();
        }
    });
}

void WindowImplBase::CenterWindow() {
    if (m_native == nullptr) {
        return;
    }
    QRect area;
    if (QWidget* owner = m_native->parentWidget()) {
        area = m_native->isWindow() ? owner->window()->geometry() : owner->rect();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect g = m_native->geometry();
    g.moveCenter(area.center());
    m_native->move(g.topLeft());
}

void WindowImplBase::MoveWindow(int x, int y, int cx, int cy) {
    afx::OnUiThread([&] {
        if (m_native != nullptr) {
            m_native->setGeometry(x, y, cx, cy);
        }
    });
}

void WindowImplBase::SetWindowText(const std::wstring& title) {
    afx::OnUiThread([&] {
        if (m_native != nullptr) {
            m_native->setWindowTitle(ToQString(title));
        }
    });
}

std::wstring WindowImplBase::GetWindowText() const {
    return m_native != nullptr ? m_native->windowTitle().toStdWString() : std::wstring();
}

unsigned WindowImplBase::ShowModal() {
    QPointer<QWidget> native = m_native;
    if (!native) {
        return 0;
    }
    std::shared_ptr<bool> alive = m_alive;
    // Qt takes a modality only when a window is shown, so one shown already is shown again;
    // a window manager can lose a window unmapped and at once mapped again, and leave the run
    // with no window to end it. A window made hidden is mapped once, as a modal one.
    if (native->isVisible()) {
        native->hide();
    }
    native->setWindowModality(native->parentWidget() != nullptr ? Qt::WindowModal
                                                                : Qt::ApplicationModal);
    ShowWindow(true, true);
    QEventLoop loop;
    m_modalLoop = &loop;
    unsigned code = static_cast<unsigned>(loop.exec());
    if (!*alive) {
        return code;
    }
    m_modalLoop = nullptr;
    // Destroying the native window runs OnFinalMessage, which may delete this object.
    delete native.data();
    return code;
}

void WindowImplBase::Close(unsigned code) {
    afx::OnUiThread([&] {
        if (m_native == nullptr) {
            return;
        }
        m_closeCode = code;
        if (m_modalLoop != nullptr) {
            m_modalLoop->exit(static_cast<int>(code));
            return;
        }
        // Close is called from the window's own notifications: the window goes once they
        // have returned.
        m_native->hide();
        QPointer<QWidget> native = m_native;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [native] { delete native.data(); }, Qt::QueuedConnection);
    });
}

void WindowImplBase::OnSystemClose() {
    Close(0);
}

intptr_t WindowImplBase::SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    return afx::OnUiThread([&] { return HandleMessage(msg, wParam, lParam); });
}

void WindowImplBase::OnNativeDestroyed() {
    HWND hwnd = m_hWnd;
    m_native = nullptr;
    m_hWnd = nullptr;
    m_PaintManager.RemoveNotifier(this);
    m_PaintManager.DestroyRoot();
    m_PaintManager.Init(nullptr);
    if (m_modalLoop != nullptr) {
        m_modalLoop->exit(static_cast<int>(m_closeCode));
    }
    OnFinalMessage(hwnd);
}

int WindowImplBase::OnNcHitTest(Point pt) {
    if (m_native == nullptr) {
        return HTCLIENT;
    }
    Rect client{0, 0, m_native->width(), m_native->height()};
    const Rect& box = m_PaintManager.GetSizeBox();
    if (!m_native->isMaximized()) {
        if (pt.y < client.top + box.top) {
            if (pt.x < client.left + box.left) {
                return HTTOPLEFT;
            }
            if (pt.x > client.right - box.right) {
                return HTTOPRIGHT;
            }
            return HTTOP;
        }
        if (pt.y > client.bottom - box.bottom) {
            if (pt.x < client.left + box.left) {
                return HTBOTTOMLEFT;
            }
            if (pt.x > client.right - box.right) {
                return HTBOTTOMRIGHT;
            }
            return HTBOTTOM;
        }
        if (pt.x < client.left + box.left) {
            return HTLEFT;
        }
        if (pt.x > client.right - box.right) {
            return HTRIGHT;
        }
    }
    const Rect& caption = m_PaintManager.GetCaptionRect();
    if (pt.x >= client.left + caption.left && pt.x < client.right - caption.right &&
        pt.y >= caption.top && pt.y < caption.bottom) {
        CControlUI* control = m_PaintManager.FindControl(pt);
        if (control != nullptr && control->GetClass() != L"ButtonUI" &&
            control->GetClass() != L"OptionUI" && control->GetClass() != L"TextUI") {
            return HTCAPTION;
        }
    }
    return HTCLIENT;
}

}  // namespace dui
