// The keyboard in the program's windows, as a user without a mouse has it: Tab goes round what
// can take the focus, Space and Enter press, typing lands where the focus went.

#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "key_tree_fixture.h"
#include "main_window_fixture.h"
#include "model/key_files.h"
#include "platform/afx/qt_app.h"
#include "ui/add_key.h"
#include "ui/key_info.h"
#include "ui/message_script.h"
#include "ui_fixture.h"

namespace ui_test {
namespace {

using afx_test::PressKey;
using afx_test::TypeKeys;
using Names = std::vector<std::wstring>;

// Tab (or Shift+Tab) `count` times; where the focus went each time.
Names Walk(QWidget* window, int count, bool forward = true) {
    return afx_test::WalkFocus(window, std::string(count, forward ? '>' : '<'));
}

// Tab (or Shift+Tab) until `name` has the focus.
void TabTo(QWidget* window, const std::wstring& name, bool forward = true) {
    for (int n = 0; n < 40 && afx_test::FocusName(window) != name; ++n) {
        Walk(window, 1, forward);
    }
    ASSERT_EQ(afx_test::FocusName(window), name);
}

CAddKey* WizardOf(CDuiFrameWnd* frame) {
    return dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame)->GetKeyWizard());
}

// What the user sees of the key tree, in words: the tree or the search results in its place, the
// selected item, the key in the pane and the search button.
std::wstring View(CDuiFrameWnd* frame) {
    afx::TreeCtrl& tree = frame->GetTreeView().GetTreeCtrl();
    const afx::TreeItem selected = tree.GetSelectedItem();
    return std::wstring(tree.IsWindowVisible() ? L"tree" : L"results") + L", selected " +
           (selected != nullptr ? tree.GetItemText(selected) : L"none") + L", pane " +
           frame->m_pKeyInfo->GetPaintManager().FindControl(L"l_keyName")->GetText() +
           L", search button " +
           (frame->GetPaintManager().FindControl(L"SearchBtn")->IsEnabled() ? L"on" : L"off");
}

// The view stays as it was at every step: the tree that takes the focus selects no row, and a
// Tab into the search box starts no search.
TEST_F(MainWindowTest, TabGoesRoundTheMainWindowAndTheKeyTree) {
    struct Case {
        bool forward;
        Names expected;
    };
    const Case cases[] = {
        // The disabled and hidden buttons are passed over.
        {true,
         {L"Language0", L"Language1", L"Language2", L"Language3", L"Language4", L"Language5",
          L"Language6", L"Language7", L"Language8", L"Language9", L"hideBtn", L"CloseBtn",
          L"InputButton", L"OutputButton", L"SynchServer", L"UpdateMachine", L"SearchEdit", L"tree",
          L"Language0"}},
        {false, {L"tree", L"SearchEdit", L"UpdateMachine", L"SynchServer", L"OutputButton"}},
    };
    for (const Case& c : cases) {
        Open();
        const std::wstring view = View(frame_);
        Names reached;
        for (size_t n = 0; n < c.expected.size(); ++n) {
            reached.push_back(Walk(frame_->GetHWND(), 1, c.forward)[0]);
            EXPECT_EQ(View(frame_), view) << testing::PrintToString(reached.back());
        }
        EXPECT_EQ(reached, c.expected) << c.forward;
        afx_test::CloseAllWindows();
    }
}

TEST_F(MainWindowTest, WizardTakesItsKeyTypeAndFieldsFromTheKeyboard) {
    Open();
    QWidget* window = frame_->GetHWND();
    CAddKey* wizard = WizardOf(frame_);
    ASSERT_NE(wizard, nullptr);
    wizard->ShowWizard();
    // The wizard lies over the key pane, after the tree; Previous is not yet enabled.
    EXPECT_EQ(Walk(window, 12, false),
              Names({L"CancelBtn", L"NextBtn", L"keyType8", L"keyType7", L"keyType6", L"keyType5",
                     L"keyType4", L"keyType3", L"keyType2", L"keyType1", L"step1", L"tree"}));
    // A key type picked by Space goes on to the key shape, as a click does, and the focus to
    // its first control.
    Walk(window, 4);
    PressKey(window, Qt::Key_Space);
    afx_test::Settle();
    EXPECT_EQ(wizard->GetKeyType(), 3);
    ASSERT_EQ(wizard->GetCurStep(), 1);
    EXPECT_EQ(afx_test::FocusName(window), L"LocatingPartyComb");
    EXPECT_EQ(Walk(window, 7), Names({L"EditUI1", L"EditUI2", L"EditUI3", L"EditUI4", L"LastBtn",
                                      L"NextBtn", L"CancelBtn"}));
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
    CAddKey* wizard = WizardOf(frame_);
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
    TabTo(window, L"Step5ListE");
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

// Escape ends a box's modal run as Cancel; in the main window, and in the wizard's page as a key
// is typed, it closes nothing.
TEST_F(MainWindowTest, FoldedFlatSectionsTakeNeitherTheFocusNorTheTyping) {
    Open();
    QWidget* window = frame_->GetHWND();
    CAddKey* wizard = WizardOf(frame_);
    ScopedMessageScript noBoxes({});
    wizard->ShowWizard();
    wizard->SelectKeyType(3);
    auto control = [&](const wchar_t* name) { return wizard->GetPaintManager().FindControl(name); };
    for (const auto& [edit, text] : {std::pair{L"EditUI1", L"2500"},
                                     {L"EditUI2", L"1000"},
                                     {L"EditUI3", L"300"},
                                     {L"EditUI4", L"100"}}) {
        control(edit)->SetText(text);
    }
    ASSERT_TRUE(wizard->SwitchStep(2));
    wizard->FillListSequence(300, 100, 0, 2);
    ASSERT_TRUE(wizard->SwitchStep(3));
    // The clamp offsets asked for, and both sections folded to their titles.
    for (const wchar_t* option : {L"Step4Option", L"Step4showSet", L"Step4showImage"}) {
        dynamic_cast<dui::COptionUI*>(control(option))->Selected(false);
    }
    afx_test::Settle();
    const std::vector<std::wstring> flats = wizard->GetListTexts(2);
    TabTo(window, L"Step4showSet");
    Names reached;
    for (int n = 0; n < 3; ++n) {
        PressKey(window, Qt::Key_Tab);
        reached.push_back(afx_test::FocusName(window));
        TypeKeys(window, "999");
        PressKey(window, Qt::Key_Down);
    }
    EXPECT_EQ(reached, Names({L"Step4showImage", L"LastBtn", L"NextBtn"}));
    EXPECT_EQ(control(L"EditUI6")->GetText(), L"");
    EXPECT_EQ(wizard->GetListTexts(2), flats);
}

TEST_F(MainWindowTest, EscapeWithNoBoxOpenClosesNothing) {
    Open();
    QWidget* window = frame_->GetHWND();
    CAddKey* wizard = WizardOf(frame_);
    QEventLoop loop;
    Later([&] {
        PressKey(window, Qt::Key_Escape);
        wizard->ShowWizard();
        wizard->SelectKeyType(1);
        TabTo(window, L"EditUI1");
        TypeKeys(window, "2500");
        PressKey(window, Qt::Key_Escape);
        // Reached only while the loop runs on.
        QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    });
    ASSERT_EQ(loop.exec(), 7);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(wizard->GetHWND()->isVisible());
    EXPECT_EQ(wizard->GetPaintManager().FindControl(L"EditUI1")->GetText(), L"2500");
}

// Typing in the search box shows the results, of which the focus alone chooses none; Up and Down
// move in them, Enter chooses.
TEST_F(MainWindowTest, SearchResultsAreChosenByEnterAndEscapeGoesBackToTheBox) {
    SaveKeyData({MakeKey(-101, "K1_U", 1), MakeKey(-102, "K2_U", 1), MakeKey(-103, "K3_U", 1)});
    Open();
    QWidget* window = frame_->GetHWND();
    TabTo(window, L"SearchEdit");
    TypeKeys(window, "k");
    TabTo(window, L"list");
    EXPECT_EQ(View(frame_), L"results, selected none, pane , search button on");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
        PressKey(window, key);
    }
    EXPECT_EQ(View(frame_), L"tree, selected K2_U, pane K2_U, search button on");
    // After a click into the box, Escape in the results goes back to it, still searching.
    Click(Control(L"SearchEdit"));
    TabTo(window, L"list");
    PressKey(window, Qt::Key_Escape);
    EXPECT_EQ(afx_test::FocusName(window), L"SearchEdit");
    EXPECT_EQ(View(frame_), L"results, selected K2_U, pane K2_U, search button on");
    // Space on the search button ends the search; the button, off now, hands the focus on.
    EXPECT_EQ(Walk(window, 1), Names({L"SearchBtn"}));
    PressKey(window, Qt::Key_Space);
    Settle();
    EXPECT_EQ(View(frame_), L"tree, selected K2_U, pane K2_U, search button off");
    EXPECT_EQ(afx_test::FocusName(window), L"AddkeyBtn");
}

}  // namespace
}  // namespace ui_test
