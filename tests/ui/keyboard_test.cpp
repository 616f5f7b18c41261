// The keyboard in the program's windows, as a user without a mouse has it: Tab goes round what
// can take the focus, Space and Enter press, typing lands where the focus went.

#include <QLineEdit>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/afx/qt_app.h"
#include "ui/add_key.h"
#include "ui/message_script.h"

namespace ui_test {
namespace {

using afx_test::PressKey;
using afx_test::TypeKeys;
using Names = std::vector<std::wstring>;

// Tab (or Shift+Tab) `count` times; where the focus went each time.
Names Walk(QWidget* window, int count, bool forward = true) {
    return afx_test::WalkFocus(window, std::string(count, forward ? '>' : '<'));
}

TEST_F(MainWindowTest, TabGoesRoundTheMainWindowAndTheKeyTree) {
    struct Case {
        bool forward;
        Names expected;
    };
    const Case cases[] = {
        // The search box takes the focus as a click does, which shows the search results in
        // the tree's place; the disabled and hidden buttons are passed over.
        {true, {L"Language0",     L"Language1",  L"Language2",   L"Language3",    L"Language4",
                L"Language5",     L"Language6",  L"Language7",   L"Language8",    L"Language9",
                L"hideBtn",       L"CloseBtn",   L"InputButton", L"OutputButton", L"SynchServer",
                L"UpdateMachine", L"SearchEdit", L"SearchBtn",   L"list",         L"Language0"}},
        {false, {L"tree", L"SearchEdit", L"UpdateMachine", L"SynchServer", L"OutputButton"}},
    };
    for (const Case& c : cases) {
        Open();
        EXPECT_EQ(Walk(frame_->GetHWND(), static_cast<int>(c.expected.size()), c.forward),
                  c.expected)
            << c.forward;
        afx_test::CloseAllWindows();
    }
}

TEST_F(MainWindowTest, WizardTakesItsKeyTypeAndFieldsFromTheKeyboard) {
    Open();
    QWidget* window = frame_->GetHWND();
    auto* wizard = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
    ASSERT_NE(wizard, nullptr);
    wizard->ShowWizard();
    // The wizard lies over the key pane, after the tree; Previous is not yet enabled.
    EXPECT_EQ(Walk(window, 12, false),
              Names({L"CancelBtn", L"NextBtn", L"keyType8", L"keyType7", L"keyType6", L"keyType5",
                     L"keyType4", L"keyType3", L"keyType2", L"keyType1", L"step1", L"tree"}));
    // A key type picked by Space goes on to the key shape, as a click does.
    Walk(window, 4);
    PressKey(window, Qt::Key_Space);
    EXPECT_EQ(wizard->GetKeyType(), 3);
    ASSERT_EQ(wizard->GetCurStep(), 1);
    EXPECT_EQ(Walk(window, 8), Names({L"LocatingPartyComb", L"EditUI1", L"EditUI2", L"EditUI3",
                                      L"EditUI4", L"LastBtn", L"NextBtn", L"CancelBtn"}));
    afx_test::Settle();  // the page is laid out before the user aims at it
    QWidget* length = wizard->GetPaintManager().FindControl(L"EditUI1")->GetWidget();
    QTest::mouseClick(length->findChild<QLineEdit*>(), Qt::LeftButton);
    TypeKeys(window, "3000\t800\t250");
    auto text = [&](const wchar_t* edit) {
        return wizard->GetPaintManager().FindControl(edit)->GetText();
    };
    EXPECT_EQ(text(L"EditUI1"), L"3000");
    EXPECT_EQ(text(L"EditUI2"), L"800");
    EXPECT_EQ(text(L"EditUI3"), L"250");
    EXPECT_EQ(Walk(window, 2).back(), L"LastBtn");
    PressKey(window, Qt::Key_Return);
    EXPECT_EQ(wizard->GetCurStep(), 0);
}

TEST_F(MainWindowTest, WizardDepthCellsAreFilledFromTheKeyboard) {
    Open();
    QWidget* window = frame_->GetHWND();
    auto* wizard = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
    ASSERT_NE(wizard, nullptr);
    ScopedMessageScript noBoxes({});
    // The steps before the depths, filled by code.
    wizard->ShowWizard();
    wizard->SelectKeyType(1);
    for (const auto& [edit, text] :
         {std::pair{L"EditUI1", L"2500"}, {L"EditUI2", L"1000"}, {L"EditUI3", L"300"}}) {
        wizard->GetPaintManager().FindControl(edit)->SetText(text);
    }
    ASSERT_TRUE(wizard->SwitchStep(2));
    wizard->FillListSequence(300, 100, 0, 2);
    ASSERT_TRUE(wizard->SwitchStep(4));
    afx_test::Settle();
    for (int n = 0; n < 40 && afx_test::FocusName(window) != L"Step5ListE"; ++n) {
        PressKey(window, Qt::Key_Tab);
    }
    ASSERT_EQ(afx_test::FocusName(window), L"Step5ListE");
    // Down to a row, Enter opens its cell, Enter again stores it; the list keeps the keyboard.
    for (const char* depth : {"450", "460"}) {
        PressKey(window, Qt::Key_Down);
        PressKey(window, Qt::Key_Return);
        EXPECT_EQ(afx_test::FocusName(window), L"ListEdit");
        TypeKeys(window, depth);
        PressKey(window, Qt::Key_Return);
        afx_test::Settle();
    }
    EXPECT_EQ(wizard->GetListTexts(4)[0], L"450");
    EXPECT_EQ(wizard->GetListTexts(4)[1], L"460");
    EXPECT_EQ(wizard->GetListEdit(), nullptr);
    EXPECT_EQ(Walk(window, 1), Names({L"autoEdit3"}));
}

}  // namespace
}  // namespace ui_test
