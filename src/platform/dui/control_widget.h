#pragma once
// The Qt widget behind every control: paints through its control and hands it mouse and
// focus input. Private to the layer.

#include <QWidget>

namespace afx {
class FocusRing;
}

namespace dui {

class CControlUI;

class ControlWidget : public QWidget {
  public:
    explicit ControlWidget(CControlUI* owner);
    // The control is gone; the widget only waits for its deferred deletion.
    void Detach() { m_owner = nullptr; }
    CControlUI* Owner() const { return m_owner; }
    // The field inside that takes the control's typing (an edit's line, a combo's box): the
    // control shows the focus while the field has it.
    void WatchField(QWidget* field);
    // Shows the focus ring while the control's keyboard widget has Qt's focus and the control
    // is enabled.
    void UpdateRing();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Qt's focus reaches the widget itself by the keyboard (a list's by a click too).
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Qt moves the focus off a control hidden or disabled while it has it: the focus stays with
    // the window, not the next widget of Qt's own chain, so that Tab goes on from the control.
    bool focusNextPrevChild(bool next) override;

  private:
    void Forward(QMouseEvent* event, int kind);
    bool HoldsControlAt(QPoint point) const;
    CControlUI* m_owner;
    afx::FocusRing* m_ring = nullptr;  // made when the control first takes the focus
};

// Qt tells window (de)activation and pop-ups as focus changes; controls only hear real moves.
bool IsRealFocusMove(Qt::FocusReason reason);

}  // namespace dui
