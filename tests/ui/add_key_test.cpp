// The wizard's lists, cell editor, automatic input and texts through the real widgets.

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

#include "add_key_fixture.h"
#include "platform/dui/qt_util.h"
#include "res/strings.h"

namespace ui_test {
namespace {

using Texts = std::vector<std::wstring>;

// Type 1 on its spaces page, with list A showing.
class AddKeyListsTest : public AddKeyTest {
  protected:
    void SetUp() override {
        AddKeyTest::SetUp();
        Press(L"keyType1");
        Type(L"EditUI1", L"2800");
        Type(L"EditUI2", L"800");
        Press(L"NextBtn");
        ASSERT_EQ(wizard_->GetCurStep(), 2);
    }
};

TEST_F(AddKeyTest, StartsWithOnlyTheKeyTypeStep) {
    dui::CControlUI* row = Find<dui::CListUI>(L"Step3ListA")->GetItemAt(0);
    EXPECT_EQ(wizard_->GetItemText(row, 0, 0), L"1");
    EXPECT_TRUE(Enabled(L"step1"));
    for (const wchar_t* head : {L"step2", L"step3", L"step4", L"step5", L"step6", L"LastBtn"}) {
        EXPECT_FALSE(Enabled(head)) << head;
    }
    EXPECT_EQ(Text(L"NextBtn"), L"Next");
    Press(L"NextBtn");
    EXPECT_EQ(owner_.messages, Texts({L"Select key "}));
    EXPECT_EQ(wizard_->GetCurStep(), 0);
}

TEST_F(AddKeyListsTest, ComboPicksSetTheRowsAndEarlierTextsComeBack) {
    EXPECT_EQ(Find<dui::CListUI>(L"Step3ListA")->GetCount(), 8);
    EditCell(0, 2, "1234");
    Pick(L"step3ACombo", 13);
    EXPECT_EQ(Find<dui::CListUI>(L"Step3ListA")->GetCount(), 15);
    EXPECT_EQ(Find<dui::CListUI>(L"Step4ListC")->GetCount(), 15);
    EXPECT_EQ(wizard_->GetListTexts(2)[14], L"100");
    Pick(L"step3ACombo", 0);
    EXPECT_EQ(Find<dui::CListUI>(L"Step3ListA")->GetCount(), 2);
    Pick(L"step3ACombo", 13);
    EXPECT_EQ(wizard_->GetListTexts(0)[2], L"1234");
}

TEST_F(AddKeyListsTest, CellEditorKeepsFourDigitsStoresOnEnterAndKeepsOnEmpty) {
    auto* list = Find<dui::CListUI>(L"Step3ListA");
    Settle();
    dui::CControlUI* row = list->GetItemAt(2);
    QTest::mouseDClick(row->GetWidget(), Qt::LeftButton, {}, row->GetWidget()->rect().center());
    dui::CEditUI* editor = wizard_->GetListEdit();
    ASSERT_NE(editor, nullptr);
    Settle();
    EXPECT_EQ(editor->GetPos().Width(), 80);
    EXPECT_EQ(editor->GetPos().Height(), 18);
    EXPECT_EQ(editor->GetPos().top, row->GetPos().top);
    EXPECT_EQ(editor->GetPos().left, list->GetHeader()->GetItemAt(1)->GetPos().left);
    // Opening another row's editor stores the first: one at a time.
    QTest::keyClicks(editor->GetWidget()->findChild<QLineEdit*>(), "77");
    EditCell(0, 3, "98765");
    EXPECT_EQ(wizard_->GetListTexts(0)[2], L"77");
    EXPECT_EQ(wizard_->GetListTexts(0)[3], L"9876");
    EditCell(0, 3, "");
    EXPECT_EQ(wizard_->GetListTexts(0)[3], L"9876");
    EXPECT_EQ(wizard_->GetListEdit(), nullptr);
    EXPECT_EQ(Control(L"ListEdit"), nullptr);
}

// The editor covers the cell it edits: over two cells of different texts, the same typing
// looks the same. Escape closes it and keeps the cell as it was.
TEST_F(AddKeyListsTest, CellEditorCoversItsCellAndEscapeThrowsTheTypingAway) {
    QApplication::setCursorFlashTime(0);  // the text cursor drawn steadily
    EditCell(0, 0, "1111");
    EditCell(0, 1, "8888");
    QImage seen[2];
    for (int row : {0, 1}) {
        QWidget* cell = Find<dui::CListUI>(L"Step3ListA")->GetItemAt(row)->GetWidget();
        QTest::mouseDClick(cell, Qt::LeftButton, {}, cell->rect().center());
        ASSERT_NE(wizard_->GetListEdit(), nullptr);
        QWidget* editor = wizard_->GetListEdit()->GetWidget();
        QTest::keyClicks(editor->findChild<QLineEdit*>(), "5");
        Settle();
        const QRect place(editor->mapTo(wizard_->GetHWND(), QPoint(0, 0)), editor->size());
        seen[row] = wizard_->GetHWND()->grab().toImage().copy(place);
        QTest::keyClick(editor->findChild<QLineEdit*>(), Qt::Key_Escape);
        EXPECT_EQ(wizard_->GetListEdit(), nullptr);
    }
    EXPECT_EQ(wizard_->GetListTexts(0)[0], L"1111");
    EXPECT_EQ(wizard_->GetListTexts(0)[1], L"8888");
    EXPECT_TRUE(seen[0] == seen[1]) << "the cell's own text shows through the editor";
}

TEST_F(AddKeyListsTest, AutomaticInputCountsSpacesUpAndDepthsDown) {
    EditCell(0, 0, "250");
    Type(L"autoEdit1", L"100");
    Press(L"autoButton1");
    EXPECT_EQ(wizard_->GetListTexts(0),
              Texts({L"250", L"350", L"450", L"550", L"650", L"750", L"850", L"950"}));
    Press(L"NextBtn");
    Press(L"NextBtn");
    Pick(L"keyDepthCombo", 4);  // 6 depths
    EditCell(4, 0, "300");
    Type(L"autoEdit3", L"100");
    Press(L"autoButton3");
    EXPECT_EQ(wizard_->GetListTexts(4),
              Texts({L"300", L"200", L"100", L"0", L"0", L"0", L"0", L"0"}));
}

TEST_F(AddKeyListsTest, SpacesDifferenceLabelHoldsItsTextInEveryLanguage) {
    for (int language :
         {res::kLangChinese, res::kLangItalian, res::kLangSwedish, res::kLangEnglish}) {
        SCOPED_TRACE(language);
        res::SetUiLanguage(language);
        wizard_->LoadLanguageTexts();
        Settle();
        const auto* label = Find<dui::CLabelUI>(L"LabelUI28");
        const QWidget* widget = label->GetWidget();
        const QRect needed =
            QFontMetrics(dui::SkinFont(&wizard_->GetPaintManager(), 2))  // the skin's small font
                .boundingRect(widget->rect(), Qt::TextWordWrap, dui::ToQString(label->GetText()));
        EXPECT_TRUE(widget->rect().contains(needed)) << needed.width() << "x" << needed.height();
    }
}

TEST_F(AddKeyTest, LanguageSwitchWhileOpenKeepsPicksAndTheStep) {
    DefineKey(1, 1);
    Press(L"step3");
    res::SetUiLanguage(res::kLangChinese);
    wizard_->LoadLanguageTexts();
    EXPECT_EQ(Text(L"step3"), res::LoadString(185));
    EXPECT_EQ(Text(L"keyEdgeCombo"), res::LoadString(221));
    EXPECT_EQ(Text(L"LabelUI24"), res::LoadString(169));
    EXPECT_EQ(Find<dui::CListUI>(L"Step3ListB")->GetHeader()->GetItemAt(1)->GetText(),
              res::LoadString(202));
    EXPECT_TRUE(Shown(L"Step3ListB"));
    EXPECT_FALSE(Shown(L"Step3ListA"));
    EXPECT_EQ(wizard_->GetCurStep(), 2);
    // The last step keeps its Save button through a switch.
    Press(L"step6");
    res::SetUiLanguage(res::kLangEnglish);
    wizard_->LoadLanguageTexts();
    EXPECT_EQ(Text(L"NextBtn"), L"Save");
}

}  // namespace
}  // namespace ui_test
