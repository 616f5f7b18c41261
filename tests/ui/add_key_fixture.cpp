#include "add_key_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "platform/text/text.h"
#include "res/strings.h"

namespace ui_test {

void AddKeyTest::SetUp() {
    UiTest::SetUp();
    res::SetUiLanguage(res::kLangEnglish);
    host_ = new QWidget;
    host_->resize(1000, 660);
    wizard_ = new CAddKey(L"AddKey.xml");
    ASSERT_NE(wizard_->Create(host_, L"", dui::WS_CHILD, 0, 255, 117, 745, 539), nullptr);
    wizard_->SetFrameWnd(&owner_);
    wizard_->LoadLanguageTexts();
    host_->show();
    wizard_->ShowWizard();
    host_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host_));
    Settle();
}

void AddKeyTest::TearDown() {
    UiTest::TearDown();
    res::SetUiLanguage(res::kLangEnglish);
}

dui::CControlUI* AddKeyTest::Control(const std::wstring& name) const {
    return wizard_->GetPaintManager().FindControl(name);
}

std::wstring AddKeyTest::Text(const std::wstring& name) const {
    dui::CControlUI* control = Control(name);
    return control != nullptr ? control->GetText() : L"<missing>";
}

bool AddKeyTest::Shown(const std::wstring& name) const {
    dui::CControlUI* control = Control(name);
    return control != nullptr && control->IsVisible();
}

bool AddKeyTest::Enabled(const std::wstring& name) const {
    dui::CControlUI* control = Control(name);
    return control != nullptr && control->IsEnabled();
}

void AddKeyTest::Press(const std::wstring& name) {
    // A page shown a moment ago is laid out before the user can aim at it.
    Settle();
    Click(Control(name));
}

void AddKeyTest::Type(const std::wstring& edit, const std::wstring& text) {
    Find<dui::CEditUI>(edit)->SetText(text);
}

void AddKeyTest::Pick(const std::wstring& combo, int index) {
    auto* box = Control(combo)->GetWidget()->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    emit box->activated(index);
}

void AddKeyTest::EditCell(int list, int row, const std::string& keys) {
    static const wchar_t* const kLists[] = {L"Step3ListA", L"Step3ListB", L"Step4ListC",
                                            L"Step4ListD", L"Step5ListE", L"Step5ListF"};
    Settle();
    dui::CControlUI* cell = Find<dui::CListUI>(kLists[list])->GetItemAt(row);
    ASSERT_NE(cell, nullptr);
    QTest::mouseDClick(cell->GetWidget(), Qt::LeftButton, {}, cell->GetWidget()->rect().center());
    ASSERT_NE(wizard_->GetListEdit(), nullptr);
    QWidget* field = wizard_->GetListEdit()->GetWidget()->findChild<QLineEdit*>();
    QTest::keyClicks(field, QString::fromStdString(keys));
    QTest::keyClick(field, Qt::Key_Return);
    Settle();
}

void AddKeyTest::DefineKey(int type, int side, const std::wstring& name, int locating) {
    Press(platform::Format(L"keyType%d", type));
    Pick(L"LocatingPartyComb", locating);
    const wchar_t* shape[] = {L"2500", L"1000", L"300", L"100", L"200"};
    for (int edit = 1; edit <= 5; ++edit) {
        if (Shown(platform::Format(L"EditUI%d", edit))) {
            Type(platform::Format(L"EditUI%d", edit), shape[edit - 1]);
        }
    }
    Press(L"NextBtn");
    ASSERT_EQ(wizard_->GetCurStep(), 2);
    if (side >= 0) {
        Pick(L"keyEdgeCombo", side);
    }
    for (int list = 1; list <= 2; ++list) {
        if (Shown(list == 1 ? L"Step3ListA" : L"Step3ListB")) {
            Type(platform::Format(L"autoEdit%d", list), L"300");
            Press(platform::Format(L"autoButton%d", list));
        }
    }
    Press(L"NextBtn");
    Press(L"NextBtn");
    for (int list = 3; list <= 4; ++list) {
        if (Shown(list == 3 ? L"Step5ListE" : L"Step5ListF")) {
            EditCell(list + 1, 0, type <= 2 ? "900" : "400");
            Type(platform::Format(L"autoEdit%d", list), L"40");
            Press(platform::Format(L"autoButton%d", list));
        }
    }
    for (const wchar_t* centre : {L"EditUI10", L"EditUI15"}) {
        if (Shown(centre)) {
            Type(centre, L"300");
        }
    }
    Press(L"NextBtn");
    ASSERT_EQ(wizard_->GetCurStep(), 5);
    Type(L"EditUI11", name);
    Type(L"EditUI12", L"X5");
}

}  // namespace ui_test
