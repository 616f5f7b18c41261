#include "platform/dui/edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "platform/dui/control_widget.h"
#include "platform/dui/keyboard.h"
#include "platform/dui/paint_manager.h"
#include "platform/dui/qt_util.h"

namespace dui {

class EditField : public QLineEdit {
  public:
    EditField(CEditUI* owner, QWidget* parent) : QLineEdit(parent), m_owner(owner) {
        setFrame(false);
        // Click focus only: nothing takes the focus by itself when a window comes up.
        setFocusPolicy(Qt::ClickFocus);
        // The control draws the frame; a palette (not a style sheet, slow to build per edit)
        // keeps the field see-through.
        QPalette see = palette();
        see.setColor(QPalette::Base, Qt::transparent);
        setPalette(see);
        connect(this, &QLineEdit::textEdited, [this] {
            if (m_owner != nullptr) {
                m_owner->OnUserEdit();
            }
        });
    }

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (m_owner != nullptr && IsRealFocusMove(event->reason())) {
            m_owner->OnFocusChanged(true);
        }
    }
    void focusOutEvent(QFocusEvent* event) override {
        QPointer<EditField> alive(this);
        QLineEdit::focusOutEvent(event);
        if (m_owner != nullptr && IsRealFocusMove(event->reason())) {
            // The window may remove this edit while it hears of the lost focus.
            m_owner->OnFocusChanged(false);
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (m_owner != nullptr &&
            (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            m_owner->OnReturn();
            return;
        }
        if (m_owner != nullptr && event->key() == Qt::Key_Escape) {
            // The window may remove this edit while it hears of the key.
            QPointer<EditField> alive(this);
            m_owner->OnEscape();
            if (!alive) {
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }

  public:
    // The edit is gone; the field only waits for its deferred deletion.
    void Detach() { m_owner = nullptr; }

  private:
    CEditUI* m_owner;
};

CEditUI::CEditUI() : m_field(new EditField(this, GetWidget())) {
    m_field->setMaxLength(m_maxChar);
    WatchField(m_field);
    m_rcTextPadding = {4, 0, 4, 0};
}

CEditUI::~CEditUI() {
    m_field->Detach();
}

QWidget* CEditUI::FocusWidget() const {
    return m_field;
}

void CEditUI::OnUserEdit() {
    m_sText = m_field->text().toStdWString();
    if (m_pManager != nullptr) {
        m_pManager->SendNotify(this, kNotifyTextChanged);
    }
}

void CEditUI::OnReturn() {
    // The window may remove this edit while it hears the key.
    CPaintManagerUI* manager = m_pManager;
    if (manager != nullptr) {
        manager->SendNotify(this, kNotifyReturn);
        PressDefaultButton(*manager);
    }
}

void CEditUI::OnEscape() {
    if (m_pManager != nullptr) {
        m_pManager->SendNotify(this, kNotifyEscape);
    }
}

std::wstring CEditUI::DoGetText() const {
    return m_field->text().toStdWString();
}

void CEditUI::DoSetText(const std::wstring& text) {
    m_sText = text;
    m_field->setText(ToQString(text));
}

void CEditUI::DoSetEnabled(bool enabled) {
    CLabelUI::DoSetEnabled(enabled);
    m_field->setEnabled(enabled);
}

void CEditUI::SetMaxChar(int count) {
    m_maxChar = count;
    m_field->setMaxLength(count);
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    m_bNumberOnly = numberOnly;
    if (numberOnly) {
        static const QRegularExpression digits(QStringLiteral("[0-9]*"));
        m_field->setValidator(new QRegularExpressionValidator(digits, m_field));
    } else {
        delete m_field->validator();
        m_field->setValidator(nullptr);
    }
}

void CEditUI::SetReadOnly(bool readOnly) {
    m_field->setReadOnly(readOnly);
}

bool CEditUI::IsReadOnly() const {
    return m_field->isReadOnly();
}

void CEditUI::SetSel(int start, int end) {
    int length = static_cast<int>(m_field->text().size());
    if (end < 0 || end > length) {
        end = length;
    }
    start = std::clamp(start, 0, end);
    m_field->setSelection(start, end - start);
}

std::wstring CEditUI::GetSelectedText() const {
    return m_field->selectedText().toStdWString();
}

void CEditUI::SetNormalImage(const std::wstring& description) {
    m_sNormalImage = description;
    Invalidate();
}

void CEditUI::SetHotImage(const std::wstring& description) {
    m_sHotImage = description;
    Invalidate();
}

void CEditUI::SetFocusedImage(const std::wstring& description) {
    m_sFocusedImage = description;
    Invalidate();
}

void CEditUI::SetDisabledImage(const std::wstring& description) {
    m_sDisabledImage = description;
    Invalidate();
}

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"maxchar") {
        SetMaxChar(ParseInt(value));
    } else if (name == L"numberonly") {
        SetNumberOnly(ParseBool(value));
    } else if (name == L"readonly") {
        SetReadOnly(ParseBool(value));
    } else if (name == L"normalimage") {
        SetNormalImage(value);
    } else if (name == L"hotimage") {
        SetHotImage(value);
    } else if (name == L"focusedimage") {
        SetFocusedImage(value);
    } else if (name == L"disabledimage") {
        SetDisabledImage(value);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CEditUI::SetPos(const Rect& rc) {
    CLabelUI::SetPos(rc);
    QRect r = ToQRect(LocalRect());
    r.adjust(m_rcTextPadding.left, m_rcTextPadding.top, -m_rcTextPadding.right,
             -m_rcTextPadding.bottom);
    m_field->setGeometry(r);
}

void CEditUI::PaintStatusImage(QPainter& painter) {
    if (!IsEnabled() && DrawImage(painter, m_sDisabledImage)) {
        return;
    }
    if (IsEnabled() && m_field->hasFocus() && DrawImage(painter, m_sFocusedImage)) {
        return;
    }
    DrawImage(painter, m_sNormalImage);
}

void CEditUI::DoPaint(QPainter& painter) {
    // The line edit draws the text itself.
    QFont font = SkinFont(m_pManager, m_font);
    if (m_field->font() != font) {
        m_field->setFont(font);
    }
    QPalette palette = m_field->palette();
    if (palette.color(QPalette::Active, QPalette::Text) != ToQColor(m_textColor)) {
        palette.setColor(QPalette::Text, ToQColor(m_textColor));
        palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(m_disabledTextColor));
        m_field->setPalette(palette);
    }
    PaintBkColor(painter);
    CControlUI::DrawImage(painter, GetBkImage());
    PaintStatusImage(painter);
    PaintBorder(painter);
}

}  // namespace dui
