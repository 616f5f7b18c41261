#pragma once
// The Qt window of a Dialog: builds the template's controls and turns Qt's events into the
// dialog's commands, notifications, mouse-move preview and caption dragging.

#include <QDialog>
#include <QPoint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/afx/dialog.h"

namespace afx {

class DialogWidget : public QDialog {
  public:
    DialogWidget(Dialog& owner, QWidget* parent);

    QWidget* Control(int controlId) const;
    // The id of the control that holds `widget` (0 for the dialog itself).
    int ControlIdOf(const QObject* widget) const;

  protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* CreateControl(const ControlTemplate& control);
    void Connect(const ControlTemplate& control, QWidget* widget);
    void Watch(QWidget* widget);

    Dialog& owner_;
    std::vector<std::pair<int, QWidget*>> controls_;
    std::optional<QPoint> dragOffset_;
    std::pair<quint64, QPoint> lastMove_{~quint64{0}, QPoint()};
};

}  // namespace afx
