#pragma once
// The Qt window of a skinned window: frameless, dragged by its caption and resized by its size
// box (mouse presses that no control took reach it), closed through its owner's rules, and, as a
// top-level window, the one place where the keyboard's defaults are read. Private to the layer.

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace dui {

class CPaintManagerUI;
class WindowImplBase;

class NativeWindow : public QWidget {
  public:
    NativeWindow(WindowImplBase* owner, QWidget* parent, Qt::WindowFlags flags);
    ~NativeWindow() override;
    void Detach() { m_owner = nullptr; }
    // The controls of the skinned window; null once it has let go of this window.
    CPaintManagerUI* Manager() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    WindowImplBase* m_owner;
    int m_hit;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};

}  // namespace dui
