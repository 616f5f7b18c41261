#pragma once
// The mark of the control that holds the keyboard's focus, the same in both window layers: a
// dark ring round a light one, so that one of them stands out on any face. It lies over the
// widgets inside the one it marks (a list's header and rows, a combo's box), which must not be
// raised over it later, and lets the mouse through.

#include <QWidget>

namespace afx {

class FocusRing : public QWidget {
  public:
    // A hidden ring inside `marked`, which owns it.
    explicit FocusRing(QWidget* marked);
    void Show(bool shown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace afx
