#pragma once
// Records each top-level window other than `owner` as it is shown, with its modality then: a
// modal window is shown once, modal from the first (a window manager can lose one hidden and at
// once shown again, and Qt takes a modality only as a window is shown).

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <vector>

namespace test {

class ShowRecorder : public QObject {
  public:
    explicit ShowRecorder(QWidget* owner = nullptr) : owner_(owner) {
        qApp->installEventFilter(this);
    }
    std::vector<Qt::WindowModality> shows;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow() &&
            widget != owner_) {
            shows.push_back(widget->windowModality());
        }
        return false;
    }

  private:
    QWidget* owner_;
};

}  // namespace test
