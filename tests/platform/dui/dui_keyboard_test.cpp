// The keyboard's defaults: Tab goes round what takes the focus, in skin order and through the
// windows inside; Space and Enter press what the keyboard focused; the focus shows.

#include <QImage>
#include <QTest>
#include <QTreeWidget>

#include "dui_window_fixture.h"
#include "platform/dui/container.h"
#include "platform/dui/list.h"

namespace dui_test {
namespace {

using afx_test::PressKey;
using afx_test::WalkFocus;
using Strings = std::vector<std::wstring>;

const char kControls[] =
    "<VerticalLayout><HorizontalLayout height='30'><Label name='title'/><Button name='b1'/>"
    "<Button name='off' enabled='false'/><Button name='gone' visible='false'/></HorizontalLayout>"
    "<TabLayout name='pages' height='40'><HorizontalLayout><Edit name='e1'/>"
    "<Edit name='ro' readonly='true'/><Combo name='c'/></HorizontalLayout>"
    "<HorizontalLayout><Edit name='e2'/></HorizontalLayout></TabLayout>"
    "<HorizontalLayout height='30'><Option name='o' group='g'/><CheckBox name='chk'/>"
    "<List name='l'/><Text name='t'/><Control name='plain'/></HorizontalLayout></VerticalLayout>";

TEST_F(DuiTest, TabGoesRoundTheControlsThatTakeTheFocusInSkinOrder) {
    struct Case {
        int page;
        std::string keys;
        Strings focus;
    };
    // Passed over: labels, texts and plain controls, the disabled, the hidden, the read-only
    // and what lies on a page not shown.
    const Case cases[] = {
        {0, ">>>>>>>", {L"b1", L"e1", L"c", L"o", L"chk", L"l", L"b1"}},
        {0, "<<>", {L"l", L"chk", L"l"}},
        {1, ">><", {L"b1", L"e2", L"b1"}},
    };
    for (const Case& c : cases) {
        TestWindow* w = Open(kControls);
        w->Find<dui::CTabLayoutUI>(L"pages")->SelectItem(c.page);
        EXPECT_EQ(WalkFocus(w->GetHWND(), c.keys), c.focus) << c.page << " " << c.keys;
    }
    // Each move is heard as a click's is.
    TestWindow* w = Open(kControls);
    WalkFocus(w->GetHWND(), ">>");
    EXPECT_EQ(Types(*w, true), Strings({L"setfocus:b1", L"killfocus:b1", L"setfocus:e1"}));
}

TEST_F(DuiTest, SpaceAndEnterPressWhatTheKeyboardFocusedAsAClickDoes) {
    TestWindow* w = Open(kControls);
    QWidget* window = w->GetHWND();
    // A click gives no button the keyboard's focus: Space then presses nothing.
    Click(w->Find(L"b1"));
    PressKey(window, Qt::Key_Space);
    WalkFocus(window, ">");
    PressKey(window, Qt::Key_Return);  // an edit keeps its Enter
    PressKey(window, Qt::Key_Space);   // and its space
    WalkFocus(window, ">>");
    PressKey(window, Qt::Key_Space);
    WalkFocus(window, ">");
    PressKey(window, Qt::Key_Enter, Qt::KeypadModifier);
    WalkFocus(window, ">");
    PressKey(window, Qt::Key_Return);  // a list has nothing to press
    WalkFocus(window, ">");
    PressKey(window, Qt::Key_Return);
    EXPECT_EQ(Types(*w),
              Strings({L"click:b1", L"return:e1", L"textchanged:e1", L"click:o", L"selectchanged:o",
                       L"click:chk", L"selectchanged:chk", L"click:b1"}));
    EXPECT_EQ(w->Find(L"e1")->GetText(), L" ");
}

TEST_F(DuiTest, ListKeysMoveTheSelectionAndEnterActivatesTheRowAsTheMouseDoes) {
    struct Case {
        int rows;
        int selected;  // before the keys; -1 for none
        std::vector<Qt::Key> keys;
        int expected;
        Strings heard;
        bool enabled = true;
    };
    const std::wstring select = L"itemselect:l";
    const std::wstring activate = L"itemactivate:row";
    // Four rows fit the list: a page.
    const Case cases[] = {
        {10, -1, {Qt::Key_Down}, 0, {select}},
        {10, 0, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, 1, {select, select, select}},
        {10, 0, {Qt::Key_Up}, 0, {}},
        {10, 9, {Qt::Key_Down}, 9, {}},
        {10, 2, {Qt::Key_End}, 9, {select}},
        {10, 7, {Qt::Key_Home}, 0, {select}},
        {10, 1, {Qt::Key_PageDown, Qt::Key_PageDown}, 9, {select, select}},
        {10, 9, {Qt::Key_PageUp}, 5, {select}},
        {10, 3, {Qt::Key_Return}, 3, {activate}},
        {10, 3, {Qt::Key_Down, Qt::Key_Enter}, 4, {select, activate}},
        {10, -1, {Qt::Key_Return}, -1, {}},
        {0, -1, {Qt::Key_Down, Qt::Key_End, Qt::Key_Return}, -1, {}},
        {10, 2, {Qt::Key_Down, Qt::Key_Return}, 2, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        TestWindow* w = Open(
            "<VerticalLayout><List name='l' height='64' header='hidden'/><Control/>"
            "</VerticalLayout>");
        auto* list = w->Find<dui::CListUI>(L"l");
        for (int i = 0; i < c.rows; ++i) {
            auto* row = new dui::CListTextElementUI;
            row->SetName(L"row");
            row->SetFixedHeight(16);
            list->Add(row);
        }
        Settle();
        list->SelectItem(c.selected);
        WalkFocus(w->GetHWND(), ">");
        list->SetEnabled(c.enabled);
        w->heard.clear();
        for (Qt::Key key : c.keys) {
            PressKey(w->GetHWND(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        EXPECT_EQ(list->GetCurSel(), c.expected);
        EXPECT_EQ(Types(*w), c.heard);
        // The row the keys went to is in view.
        if (c.expected >= 0) {
            const dui::Rect& row = list->GetItemAt(c.expected)->GetPos();
            EXPECT_GE(row.top, list->GetPos().top);
            EXPECT_LE(row.bottom, list->GetPos().bottom);
        }
    }
}

TEST_F(DuiTest, KeyboardFocusShowsAsADarkRingRoundALightOneOverAnyFace) {
    QImage hot(20, 10, QImage::Format_ARGB32);
    hot.fill(Qt::red);
    ASSERT_TRUE(hot.save(QString::fromStdWString((folder_ / "hot.png").wstring())));
    // The buttons lie away from the window's corner, where the mouse may rest.
    TestWindow* w = Open(
        "<HorizontalLayout><Control width='100'/><Button name='imaged' hotimage='hot.png'/>"
        "<Button name='bare'/></HorizontalLayout>");
    w->GetHWND()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w->GetHWND()));
    // The colour at x, y of the button as it is drawn now.
    auto pixel = [&](const wchar_t* name, int x, int y) {
        return w->Find(name)->GetWidget()->grab().toImage().pixelColor(x, y).name().toStdString();
    };
    // The colours just inside the middle of the top edge: where the rings lie.
    auto edge = [&](const wchar_t* name) { return pixel(name, 75, 1) + pixel(name, 75, 2); };
    const std::string ring = "#1f2933#ffffff";
    const std::string plain = edge(L"bare");
    const std::string middle = pixel(L"bare", 75, 150);
    WalkFocus(w->GetHWND(), ">");
    EXPECT_EQ(pixel(L"imaged", 75, 150), "#ff0000");
    EXPECT_EQ(edge(L"imaged"), ring);
    EXPECT_EQ(edge(L"bare"), plain);
    WalkFocus(w->GetHWND(), ">");
    EXPECT_NE(pixel(L"imaged", 75, 150), "#ff0000");
    EXPECT_EQ(edge(L"imaged"), plain);
    EXPECT_EQ(edge(L"bare"), ring);
    EXPECT_EQ(pixel(L"bare", 75, 150), middle);
}

TEST_F(DuiTest, TabPassesOverWhatContainersHideAndScrollsWhatItFocusesIntoView) {
    // A section folded to its title: of what lies below it, Tab takes only what still shows.
    TestWindow* w = Open(
        "<VerticalLayout><Button name='b1' height='20'/>"
        "<Container height='26'><Edit name='peek' float='true' pos='0,10,100,40'/>"
        "<Button name='under' float='true' pos='0,30,100,50'/>"
        "<Container float='true' pos='0,40,200,100'><List name='deep'/></Container></Container>"
        "<VerticalLayout name='scroller' height='60' vscrollbar='true'><Button name='s1' "
        "height='40'/><Button name='s2' height='40'/><Button name='s3' height='40'/>"
        "</VerticalLayout><Button name='b2' height='20'/></VerticalLayout>");
    auto* scroller = w->Find<dui::CContainerUI>(L"scroller");
    // A container that scrolls shows each control Tab gives the focus, back and forth.
    auto inView = [&](const wchar_t* name) {
        const dui::Rect& at = w->Find(name)->GetPos();
        return at.top >= scroller->GetPos().top && at.bottom <= scroller->GetPos().bottom;
    };
    Strings reached;
    for (char key : std::string(">>>>>>><<<<")) {
        reached.push_back(WalkFocus(w->GetHWND(), std::string(1, key))[0]);
        EXPECT_TRUE(reached.back()[0] != L's' || inView(reached.back().c_str()))
            << testing::PrintToString(reached.back());
    }
    EXPECT_EQ(reached, Strings({L"b1", L"peek", L"s1", L"s2", L"s3", L"b2", L"b1", L"b2", L"s3",
                                L"s2", L"s1"}));
    // A click scrolls nothing from under the mouse; the program's focus is brought into view.
    Click(w->Find(L"s2"));
    EXPECT_EQ(scroller->GetScrollPos(), 0);
    w->Find(L"s3")->SetFocus();
    EXPECT_TRUE(inView(L"s3"));
}

// Disabled, hidden, on a page turned away or left by Tab: the next control takes the focus and
// shows the ring whole, also an edit, a combo box or a list over what lies inside it.
TEST_F(DuiTest, AControlThatLosesTheKeyboardFocusHandsItOnAndShowsNoRing) {
    const char skin[] =
        "<VerticalLayout><Button name='b1' height='20'/><TabLayout name='pages' height='40'>"
        "<HorizontalLayout><Button name='p0'/></HorizontalLayout><HorizontalLayout>"
        "<Edit name='p1'/><Combo name='p1c'/><List name='p1l'><ListHeader height='24' "
        "bkcolor='#FFF1F4F8'><ListHeaderItem text='No.'/></ListHeader></List></HorizontalLayout>"
        "</TabLayout><Button name='b2' height='20'/></VerticalLayout>";
    enum class Change { Disable, Hide, OtherPage, Tab };
    struct Case {
        int page;
        std::string keys;  // "" for a click on the control instead
        const wchar_t* control;
        Change change;
        std::wstring focus;  // where the focus goes; "-" none
    };
    const Case cases[] = {
        {0, ">", L"b1", Change::Disable, L"p0"},
        {0, ">", L"b1", Change::Hide, L"p0"},
        {0, ">>", L"p0", Change::OtherPage, L"p1"},
        {1, ">>", L"p1", Change::Disable, L"p1c"},
        {1, ">>", L"p1", Change::Tab, L"p1c"},
        {1, ">>>", L"p1c", Change::Hide, L"p1l"},
        {1, ">>>>>", L"b2", Change::Disable, L"b1"},
        // A click gives a button no keyboard focus, and takes none on.
        {0, "", L"b1", Change::Disable, L"-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        TestWindow* w = Open(skin);
        w->GetHWND()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->GetHWND()));
        auto* pages = w->Find<dui::CTabLayoutUI>(L"pages");
        pages->SelectItem(c.page);
        Settle();
        dui::CControlUI* control = w->Find(c.control);
        c.keys.empty() ? Click(control) : static_cast<void>(WalkFocus(w->GetHWND(), c.keys));
        c.change == Change::Disable     ? control->SetEnabled(false)
        : c.change == Change::Hide      ? control->SetVisible(false)
        : c.change == Change::OtherPage ? static_cast<void>(pages->SelectItem(1 - c.page))
                                        : static_cast<void>(WalkFocus(w->GetHWND(), ">"));
        EXPECT_FALSE(afx_test::ShowsFocusRing(control->GetWidget()));
        Settle();
        EXPECT_EQ(afx_test::FocusName(w->GetHWND()), c.focus);
        EXPECT_TRUE(c.focus == L"-" || afx_test::ShowsFocusRing(w->Find(c.focus)->GetWidget()));
    }
}

TEST_F(DuiTest, TabGoesThroughTheWindowsInsideLeftToRight) {
    TestWindow* top = Open("<HorizontalLayout><Button name='top' width='40'/></HorizontalLayout>");
    WriteFile("child.xml", "<Window size='100,80'><Button name='inner'/></Window>");
    // A window that another window covers wholly is passed over.
    std::vector<TestWindow*> children;
    for (const char* name : {"covered", "above"}) {
        auto* child = new TestWindow(L"child.xml");
        ASSERT_NE(child->Create(top->GetHWND(), L"", dui::WS_CHILD | dui::WS_VISIBLE, 0, 200, 50,
                                100, 80),
                  nullptr);
        child->Find(L"inner")->SetName(QString(name).toStdWString());
        children.push_back(child);
    }
    // A window of another kind on the left: its widgets that take Tab are stops.
    auto* dialog = new QWidget(top->GetHWND());
    dialog->setGeometry(10, 50, 150, 200);
    new QTreeWidget(dialog);
    auto* hidden = new QTreeWidget(dialog);
    hidden->hide();
    dialog->show();
    Settle();
    EXPECT_EQ(WalkFocus(top->GetHWND(), ">>>><"),
              Strings({L"top", L"tree", L"above", L"top", L"above"}));
    // The window that the focus leaves hears it go.
    EXPECT_EQ(Types(*top, true),
              Strings({L"setfocus:top", L"killfocus:top", L"setfocus:top", L"killfocus:top"}));
    EXPECT_EQ(Types(*children[1], true),
              Strings({L"setfocus:above", L"killfocus:above", L"setfocus:above"}));
}

}  // namespace
}  // namespace dui_test
