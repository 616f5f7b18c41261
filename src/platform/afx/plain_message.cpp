#include "platform/afx/plain_message.h"

#include <QMessageBox>

#include "platform/afx/qt_text.h"

namespace afx {

void PlainErrorBox(const std::wstring& title, const std::wstring& text) {
    QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok);
    box.exec();
}

}  // namespace afx
