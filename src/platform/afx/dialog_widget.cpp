#include "platform/afx/dialog_widget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "platform/afx/qt_text.h"
#include "platform/afx/widgets.h"

namespace afx {
namespace {

Qt::WindowFlags FlagsOf(DialogFrame frame) {
    switch (frame) {
        case DialogFrame::Child:
            return Qt::Widget;
        case DialogFrame::Popup:
            return Qt::Dialog | Qt::FramelessWindowHint;
        case DialogFrame::ModalCaption:
            break;
    }
    return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
    if (!(control.style & kMultiLine)) {
        auto* line = new QLineEdit(parent);
        line->setReadOnly(control.style & kReadOnly);
        line->setFrame(control.style & kBorder);
        return line;
    }
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(control.style & kReadOnly);
    edit->setVerticalScrollBarPolicy((control.style & kVScroll) ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    if (!(control.style & kBorder)) {
        edit->setFrameShape(QFrame::NoFrame);
    }
    return edit;
}

QWidget* CreateStatic(const ControlTemplate& control, QWidget* parent) {
    QLabel* label = (control.style & kEndEllipsis) ? new EllipsisLabel(parent) : new QLabel(parent);
    label->setWordWrap(!(control.style & kNoWordWrap));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(ToQString(control.text));
    return label;
}

ItemsWidget* CreateItems(const ControlTemplate& control, QWidget* parent) {
    auto* items = new ItemsWidget(parent);
    items->setColumnCount(1);
    items->setHeaderHidden(control.kind == ControlKind::TreeView ||
                           (control.style & kNoColumnHeader));
    items->setRootIsDecorated(control.kind == ControlKind::TreeView);
    items->setSelectionMode(QAbstractItemView::SingleSelection);
    items->setSelectionBehavior(QAbstractItemView::SelectRows);
    items->setContextMenuPolicy(Qt::CustomContextMenu);
    items->rightButtonSelects = control.kind != ControlKind::TreeView;
    items->caretOnFocus = control.kind != ControlKind::TreeView;
    items->setIconSize(QSize(32, 32));
    if (control.kind == ControlKind::ListView) {
        items->headerItem()->setText(0, QString());
    }
    return items;
}

}  // namespace

DialogWidget::DialogWidget(Dialog& owner, QWidget* parent)
    : QDialog(parent, FlagsOf(owner.GetTemplate().frame)), owner_(owner) {
    const DialogTemplate& t = owner.GetTemplate();
    // QDialog makes itself a window whatever it is given; a child dialog lies inside its parent.
    if (t.frame == DialogFrame::Child && parent != nullptr) {
        setWindowFlags(Qt::Widget);
    }
    BaseUnits units = owner.GetBaseUnits();
    setFont(ToQFont(t.font));
    setWindowTitle(ToQString(t.caption));
    resize(DluToPixelsX(t.width, units), DluToPixelsY(t.height, units));
    Watch(this);
    for (const ControlTemplate& control : t.controls) {
        QWidget* widget = CreateControl(control);
        widget->setGeometry(ToQRect(MapDialogRect(control.dialogUnits, units)));
        widget->setVisible(!(control.style & kHidden));
        controls_.emplace_back(control.id, widget);
        Connect(control, widget);
        Watch(widget);
    }
}

QWidget* DialogWidget::CreateControl(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::Static:
            return CreateStatic(control, this);
        case ControlKind::GroupBox:
            return new QGroupBox(ToQString(control.text), this);
        case ControlKind::Edit:
            return CreateEdit(control, this);
        case ControlKind::ComboBox:
            return new QComboBox(this);
        case ControlKind::PushButton: {
            auto* button = new QPushButton(ToQString(control.text), this);
            button->setDefault(control.style & kDefaultButton);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::OwnerDrawButton: {
            auto* button = new OwnerDrawButton(this);
            button->setText(ToQString(control.text));
            return button;
        }
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(this);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::TreeView:
        case ControlKind::ListView:
            break;
    }
    return CreateItems(control, this);
}

void DialogWidget::Connect(const ControlTemplate& control, QWidget* widget) {
    int id = control.id;
    if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { owner_.OnCommand(id); });
    } else if (auto* combo = dynamic_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, id] {
            owner_.OnNotify(NotifyInfo{id, Notification::SelChange, {}, -1});
        });
    } else if (auto* items = dynamic_cast<ItemsWidget*>(widget)) {
        bool tree = control.kind == ControlKind::TreeView;
        connect(items, &QTreeWidget::currentItemChanged, this,
                [this, id, tree, items](QTreeWidgetItem* current) {
                    int row = current ? items->indexOfTopLevelItem(current) : -1;
                    owner_.OnNotify(NotifyInfo{
                        id, tree ? Notification::SelChanged : Notification::ItemChanged, {}, row});
                });
        connect(
            items, &QTreeWidget::itemClicked, this, [this, id, items](QTreeWidgetItem* clicked) {
                owner_.OnNotify(
                    NotifyInfo{id, Notification::Click, {}, items->indexOfTopLevelItem(clicked)});
            });
        connect(items, &QWidget::customContextMenuRequested, this,
                [this, id, items](const QPoint& inView) {
                    QPoint at = items->viewport()->mapTo(items, inView);
                    owner_.OnNotify(
                        NotifyInfo{id, Notification::RightClick, Point{at.x(), at.y()}, -1});
                });
    }
}

// Mouse moves of every control pass the dialog's preview first, as PreTranslateMessage sees
// every message of the dialog's thread.
void DialogWidget::Watch(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    if (auto* area = dynamic_cast<QAbstractScrollArea*>(widget)) {
        area->viewport()->setMouseTracking(true);
        area->viewport()->installEventFilter(this);
    }
}

QWidget* DialogWidget::Control(int controlId) const {
    for (const auto& [id, widget] : controls_) {
        if (id == controlId) {
            return widget;
        }
    }
    return nullptr;
}

int DialogWidget::ControlIdOf(const QObject* widget) const {
    for (const QObject* w = widget; w != nullptr && w != this; w = w->parent()) {
        for (const auto& [id, control] : controls_) {
            if (control == w) {
                return id;
            }
        }
    }
    return 0;
}

// A move that a control leaves unhandled comes again to its parent; the preview sees it once.
// Enter and Escape in a tree or list are told to the dialog, and then go their usual way.
bool DialogWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && dynamic_cast<ItemsWidget*>(watched) != nullptr) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            owner_.OnNotify(
                NotifyInfo{ControlIdOf(watched),
                           key == Qt::Key_Escape ? Notification::Escape : Notification::Return,
                           {},
                           -1});
        }
    } else if (event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        std::pair seen{move->timestamp(), move->globalPosition().toPoint()};
        if (seen != lastMove_) {
            lastMove_ = seen;
            owner_.PreTranslateMouseMove(ControlIdOf(watched));
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A child dialog takes no dialog keys: the main loop that hosts it is not a dialog's.
void DialogWidget::reject() {
    if (owner_.GetTemplate().frame != DialogFrame::Child) {
        owner_.OnCommand(kIdCancel);
    }
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && owner_.GetTemplate().frame != DialogFrame::Child) {
        owner_.OnCommand(kIdOk);
        return;
    }
    QDialog::keyPressEvent(event);  // Escape comes back through reject()
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    // The close box asks for IDCANCEL; the window stays until the dialog ends itself.
    event->ignore();
    owner_.OnCommand(kIdCancel);
}

void DialogWidget::mousePressEvent(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton &&
        owner_.OnNcHitTest(Point{at.x(), at.y()}) == HitTest::Caption) {
        dragOffset_ = event->globalPosition().toPoint() - pos();
        return;
    }
    QDialog::mousePressEvent(event);
}

void DialogWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void DialogWidget::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QDialog::mouseReleaseEvent(event);
}

}  // namespace afx
