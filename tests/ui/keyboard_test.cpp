// The keyboard in the program's windows, as a user without a mouse has it: Tab goes round what
// can take the focus, Space and Enter press, typing lands where the focus went.

#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

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

using afx_test::Click;
using afx_test::PressKey;
using afx_test::Settle;
using afx_test::TypeKeys;
using Names = std::vector<std::wstring>;

// Tab (or Shift+Tab) `count` times; where the focus went each time.
Names Walk(QWidget* window, int count, bool forward = true) {
    return afx_test::WalkFocus(window, std::string(count, forward ? '>' : '<'));
}

// Tab (or Shift+Tab) until `name` has the focus.
void TabTo(QWidget* window, const std::wstring& name, bool forward = true) {
    for (int n = 0; n < 40 && afx_test::FocusName(window) != name; ++n) {
        forward ? PressKey(window, Qt::Key_Tab)
                : PressKey(window, Qt::Key_Backtab, Qt::ShiftModifier);
    }
    ASSERT_EQ(afx_test::FocusName(window), name);
}

CAddKey* WizardOf(CDuiFrameWnd* frame) {
    return dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame)->GetKeyWizard());
}

TEST_F(MainWindowTest, TabGoesRoundTheMainWindowAndTheKeyTree) {
    struct Case {
        bool forward;
        Names expected;
    };
    const Case cases[] = {
        // A Tab into the search box starts no search: the tree stays, and the search button
        // stays off; the disabled and hidden buttons are passed over.
        {true,
         {L"Language0", L"Language1", L"Language2", L"Language3", L"Language4", L"Language5",
          L"Language6", L"Language7", L"Language8", L"Language9", L"hideBtn", L"CloseBtn",
          L"InputButton", L"OutputButton", L"SynchServer", L"UpdateMachine", L"SearchEdit", L"tree",
          L"Language0"}},
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
    CAddKey* wizard = WizardOf(frame_);
    ASSERT_NE(wizard, nullptr);
    wizard->ShowWizard();
    // The wizard lies over the key pane, after the tree; Previous is not yet enabled.
    EXPECT_EQ(Walk(window, 12, false),
              Names({L"CancelBtn", L"NextBtn", L"keyType8", L"keyType7", L"keyType6", L"keyType5",
                     L"keyType4", L"keyType3", L"keyType2", L"keyType1", L"step1", L"tree"}));
    // A key type picked by Space goes on to the key shape, as a click does, and the focus to
    // its first control, which shows it.
    Walk(window, 4);
    PressKey(window, Qt::Key_Space);
    afx_test::Settle();
    EXPECT_EQ(wizard->GetKeyType(), 3);
    ASSERT_EQ(wizard->GetCurStep(), 1);
    EXPECT_EQ(afx_test::FocusName(window), L"LocatingPartyComb");
    EXPECT_TRUE(afx_test::ShowsFocusRing(
        wizard->GetPaintManager().FindControl(L"LocatingPartyComb")->GetWidget()));
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

TEST_F(MainWindowTest, FoldedFlatSectionsTakeNoFocusAndAListBelowTheFoldIsScrolledIntoView) {
    Open();
    QWidget* window = frame_->GetHWND();
    CAddKey* wizard = WizardOf(frame_);
    ScopedMessageScript noBoxes({});
    wizard->ShowWizard();
    wizard->SelectKeyType(3);
    for (const auto& [edit, text] : {std::pair{L"EditUI1", L"2500"},
                                     {L"EditUI2", L"1000"},
                                     {L"EditUI3", L"300"},
                                     {L"EditUI4", L"100"}}) {
        wizard->GetPaintManager().FindControl(edit)->SetText(text);
    }
    ASSERT_TRUE(wizard->SwitchStep(2));
    wizard->FillListSequence(300, 100, 0, 2);
    ASSERT_TRUE(wizard->SwitchStep(3));
    auto control = [&](const wchar_t* name) { return wizard->GetPaintManager().FindControl(name); };
    auto tick = [&](const wchar_t* name, bool ticked) {
        dynamic_cast<dui::COptionUI*>(control(name))->Selected(ticked);
    };
    // The clamp offsets asked for, and both sections folded to their titles.
    tick(L"Step4Option", false);
    tick(L"Step4showSet", false);
    tick(L"Step4showImage", false);
    afx_test::Settle();
    const std::vector<std::wstring> flats = wizard->GetListTexts(2);
    TabTo(window, L"Step4showSet");
    Names reached;
    for (int n = 0; n < 3; ++n) {
        PressKey(window, Qt::Key_Tab);
        reached.push_back(afx_test::FocusName(window));
        afx_test::TypeKeys(window, "999");
        PressKey(window, Qt::Key_Down);
    }
    EXPECT_EQ(reached, Names({L"Step4showImage", L"LastBtn", L"NextBtn"}));
    EXPECT_EQ(control(L"EditUI6")->GetText(), L"");
    EXPECT_EQ(wizard->GetListTexts(2), flats);
    // Open, the "Define flat" list lies below the fold; the focus brings it into view.
    tick(L"Step4showSet", true);
    tick(L"Step4showImage", true);
    afx_test::Settle();
    TabTo(window, L"Step4showImage", false);
    EXPECT_EQ(Walk(window, 1), Names({L"Step4ListC"}));
    const dui::Rect& view = control(L"step4VerticalLayout")->GetPos();
    const dui::Rect& list = control(L"Step4ListC")->GetPos();
    EXPECT_GE(list.top, view.top);
    EXPECT_LE(list.bottom, view.bottom);
}

TEST_F(MainWindowTest, AControlThatGoesHandsTheFocusOnAndNoDisabledOneShowsIt) {
    SaveKeyData({MakeKey(-101, "A4_U", 1)});
    Open();
    QWidget* window = frame_->GetHWND();
    // Enter on Delete, and Yes: the key goes, and the button is disabled.
    CLeftTreeView& panel = frame_->GetTreeView();
    panel.GetTreeCtrl().SelectItem(panel.FindKeyItem(kImageKey, -101));
    TabTo(window, L"DeleteBtn");
    {
        ScopedMessageScript yes({{kAnswerOk, L""}});
        PressKey(window, Qt::Key_Return);
    }
    afx_test::Settle();
    EXPECT_EQ(g_KeyData[0].params.status, KeyStatusDeleted);
    EXPECT_FALSE(Button(L"DeleteBtn")->IsEnabled());
    EXPECT_FALSE(afx_test::ShowsFocusRing(Button(L"DeleteBtn")->GetWidget()));
    EXPECT_EQ(afx_test::FocusName(window), L"tree");
    // Space on the search button leaves the search and disables the button; the maker of the
    // deleted key is still picked, for Add key.
    TabTo(window, L"SearchEdit");
    afx_test::TypeKeys(window, "A");
    EXPECT_EQ(Walk(window, 1), Names({L"SearchBtn"}));
    PressKey(window, Qt::Key_Space);
    afx_test::Settle();
    EXPECT_FALSE(Button(L"SearchBtn")->IsEnabled());
    EXPECT_FALSE(afx_test::ShowsFocusRing(Button(L"SearchBtn")->GetWidget()));
    EXPECT_EQ(afx_test::FocusName(window), L"AddkeyBtn");
    // Cancel in the wizard hides it; the focus lands in the key tree, which shows it.
    CAddKey* wizard = WizardOf(frame_);
    wizard->ShowWizard();
    TabTo(window, L"CancelBtn");
    PressKey(window, Qt::Key_Return);
    afx_test::Settle();
    EXPECT_FALSE(wizard->GetHWND()->isVisible());
    ASSERT_EQ(afx_test::FocusName(window), L"tree");
    EXPECT_TRUE(
        afx_test::ShowsFocusRing(dynamic_cast<QTreeWidget*>(window->focusWidget())->viewport()));
}

// Escape ends a box's modal run as Cancel; anywhere else it closes nothing.
TEST_F(MainWindowTest, EscapeWithNoBoxOpenClosesNothing) {
    Open();
    QWidget* window = frame_->GetHWND();
    CAddKey* wizard = WizardOf(frame_);
    QEventLoop loop;
    ui_test::Later([&] {
        // With nothing focused, on a button, and in the wizard's key shape being typed.
        PressKey(window, Qt::Key_Escape);
        TabTo(window, L"SynchServer");
        PressKey(window, Qt::Key_Escape);
        wizard->ShowWizard();
        wizard->SelectKeyType(1);
        afx_test::Settle();
        TabTo(window, L"EditUI1");
        afx_test::TypeKeys(window, "2500");
        PressKey(window, Qt::Key_Escape);
        // Reached only while the loop runs on.
        QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    });
    EXPECT_EQ(loop.exec(), 7);
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(wizard->GetHWND() != nullptr && wizard->GetHWND()->isVisible());
    EXPECT_EQ(wizard->GetCurStep(), 1);
    EXPECT_EQ(wizard->GetPaintManager().FindControl(L"EditUI1")->GetText(), L"2500");
}

// The main window with three keys of one maker, the newest last.
class SearchKeyboardTest : public MainWindowTest {
  protected:
    void OpenWithKeys() {
        SaveKeyData({MakeKey(-101, "K1_U", 1), MakeKey(-102, "K2_U", 1), MakeKey(-103, "K3_U", 1)});
        Open();
        window_ = frame_->GetHWND();
    }
    CLeftTreeView& Panel() { return frame_->GetTreeView(); }
    afx::TreeItem KeyItem(int id) { return Panel().FindKeyItem(kImageKey, id); }
    // What the user sees of the key tree, in words: which of tree and results shows, the
    // selected and the highlighted item, the key in the pane and the search button.
    std::wstring View() {
        afx::TreeCtrl& tree = Panel().GetTreeCtrl();
        auto label = [&](afx::TreeItem item) {
            return item != nullptr ? tree.GetItemText(item) : std::wstring(L"none");
        };
        return std::wstring(tree.IsWindowVisible() ? L"tree" : L"-") + L" " +
               (Panel().GetSearchList().IsWindowVisible() ? L"results" : L"-") + L", selected " +
               label(tree.GetSelectedItem()) + L", highlighted " +
               label(tree.GetDropHilightItem()) + L", pane " +
               frame_->m_pKeyInfo->GetPaintManager().FindControl(L"l_keyName")->GetText() +
               L", search button " + (Control(L"SearchBtn")->IsEnabled() ? L"on" : L"off");
    }
    void TabTo(const wchar_t* name) { ui_test::TabTo(window_, name); }

    QWidget* window_ = nullptr;
};

// Round the whole window by Tab, or by Shift+Tab with a key being entered in the wizard: the
// view and the selection stay at every step, whether a key was selected or none.
TEST_F(SearchKeyboardTest, ATabRoundChangesNothingButTheFocus) {
    struct Case {
        bool keySelected;
        bool wizardOpen;  // then round by Shift+Tab
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "key " << c.keySelected << ", wizard " << c.wizardOpen);
        OpenWithKeys();
        if (c.keySelected) {
            Panel().GetTreeCtrl().SelectItem(KeyItem(-102));
        }
        auto* wizard = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
        ASSERT_NE(wizard, nullptr);
        if (c.wizardOpen) {
            Click(Control(L"AddkeyBtn"));
            wizard->SelectKeyType(1);
            wizard->GetPaintManager().FindControl(L"EditUI1")->SetText(L"2500");
        }
        Settle();
        const std::wstring before = View();
        const std::string key = c.wizardOpen ? "<" : ">";
        const std::wstring first = afx_test::WalkFocus(window_, key).front();
        int steps = 1;
        for (; steps < 60; ++steps) {
            ASSERT_EQ(View(), before) << "after " << steps << " steps, at "
                                      << testing::PrintToString(afx_test::FocusName(window_));
            if (afx_test::WalkFocus(window_, key).front() == first) {
                break;
            }
        }
        EXPECT_LT(steps, 60) << "the focus never came round";
        EXPECT_EQ(View(), before);
        EXPECT_EQ(wizard->GetCurStep(), c.wizardOpen ? 1 : 0);
        afx_test::CloseAllWindows();
    }
}

TEST_F(SearchKeyboardTest, ResultsAreMovedInByUpAndDownAndChosenByEnterOrAClick) {
    OpenWithKeys();
    // A Tab only passes through the box; typing there starts the search (K1, K2, K3). The focus
    // alone chooses nothing, nor do the moves.
    TabTo(L"SearchEdit");
    EXPECT_EQ(View(), L"tree -, selected none, highlighted none, pane , search button off");
    TypeKeys(window_, "k");
    TabTo(L"list");
    const std::wstring searching = View();
    EXPECT_EQ(searching, L"- results, selected none, highlighted none, pane , search button on");
    PressKey(window_, Qt::Key_Down);
    PressKey(window_, Qt::Key_Down);
    PressKey(window_, Qt::Key_Up);
    EXPECT_EQ(View(), searching);
    EXPECT_EQ(Panel().GetSearchList().GetSelectionMark(), 1);
    PressKey(window_, Qt::Key_Return);
    EXPECT_EQ(View(), L"tree -, selected K2_U, highlighted K2_U, pane K2_U, search button on");

    // After a click into the box, Escape in the results goes back to it, still searching.
    Click(Control(L"SearchEdit"));
    TabTo(L"list");
    PressKey(window_, Qt::Key_Escape);
    EXPECT_EQ(afx_test::FocusName(window_), L"SearchEdit");
    EXPECT_EQ(View(), L"- results, selected K2_U, highlighted K2_U, pane K2_U, search button on");

    // The mouse chooses by a click, also the row the keyboard had moved to.
    TabTo(L"list");
    PressKey(window_, Qt::Key_Down);
    auto* results = qobject_cast<QTreeWidget*>(Panel().GetSearchList().GetSafeWidget());
    for (int row : {2, 0}) {
        Click(Control(L"SearchEdit"));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                          results->visualItemRect(results->topLevelItem(row)).center());
        EXPECT_EQ(View(), row == 2 ? L"tree -, selected K3_U, highlighted K3_U, pane K3_U, "
                                     L"search button on"
                                   : L"tree -, selected K1_U, highlighted K1_U, pane K1_U, "
                                     L"search button on");
    }
}

}  // namespace
}  // namespace ui_test
