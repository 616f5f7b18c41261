// The keyboard in the program's windows, as a user without a mouse has it: Tab goes round what
// can take the focus, Space and Enter press, typing lands where the focus went.

#include <QLineEdit>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/afx/qt_app.h"
#include "ui/add_key.h"

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

}  // namespace
}  // namespace ui_test
