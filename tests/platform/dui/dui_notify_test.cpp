// Notifications reach the window inside the call or event that caused them.

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "dui_window_fixture.h"
#include "platform/afx/ui_thread.h"
#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"

namespace dui_test {
namespace {

using Strings = std::vector<std::wstring>;

const char kOptions[] =
    "<VerticalLayout>"
    "<Option name='a' group='g' height='20'/><Option name='b' group='g' height='20'/>"
    "<Option name='c' group='g' height='20'/><CheckBox name='check' height='20'/>"
    "<Button name='go' height='20'/></VerticalLayout>";

TEST_F(DuiTest, GroupedOptionNotifiesOnceWhenItBecomesSelected) {
    TestWindow* w = Open(kOptions);
    auto* a = w->Find<dui::COptionUI>(L"a");
    auto* b = w->Find<dui::COptionUI>(L"b");
    a->Selected(true);
    // Heard before Selected returned; the option that lost its selection says nothing.
    EXPECT_EQ(Types(*w), Strings({L"selectchanged:a"}));
    b->Selected(true);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ(Types(*w), Strings({L"selectchanged:a", L"selectchanged:b"}));
    b->Selected(true);   // unchanged
    a->Selected(false);  // already unselected
    b->Selected(false);  // a grouped option going off by code says nothing
    EXPECT_EQ(w->heard.size(), 2u);
}

TEST_F(DuiTest, SelectingByCodeNotifiesEvenWhenDisabled) {
    TestWindow* w = Open(kOptions);
    auto* c = w->Find<dui::COptionUI>(L"c");
    c->SetEnabled(false);
    c->Selected(true);
    EXPECT_EQ(Types(*w), Strings({L"selectchanged:c"}));
    // A disabled option does not take the user's click.
    w->heard.clear();
    auto* a = w->Find<dui::COptionUI>(L"a");
    a->SetEnabled(false);
    Click(a);
    EXPECT_TRUE(w->heard.empty());
    EXPECT_FALSE(a->IsSelected());
}

TEST_F(DuiTest, ClickOnAnOptionNotifiesClickThenSelection) {
    TestWindow* w = Open(kOptions);
    Click(w->Find(L"b"));
    Click(w->Find(L"b"));  // already selected: a click, no selection change
    Click(w->Find(L"check"));
    Click(w->Find(L"check"));  // a check box notifies both ways
    EXPECT_EQ(Types(*w), Strings({L"click:b", L"selectchanged:b", L"click:b", L"click:check",
                                  L"selectchanged:check", L"click:check", L"selectchanged:check"}));
    EXPECT_FALSE(w->Find<dui::CCheckBoxUI>(L"check")->GetCheck());
}

TEST_F(DuiTest, NotificationsNestInsideTheHandlerThatCausedThem) {
    TestWindow* w = Open(kOptions);
    Strings order;
    w->onNotify = [&](dui::TNotifyUI& msg) {
        if (msg.sType == L"setfocus") {
            return;
        }
        order.push_back(L"enter " + msg.sType + L":" + msg.pSender->GetName());
        if (msg.pSender->GetName() == L"go") {
            w->Find<dui::COptionUI>(L"b")->Selected(true);
        } else if (msg.pSender->GetName() == L"b") {
            w->Find<dui::CCheckBoxUI>(L"check")->SetCheck(true);
        }
        order.push_back(L"leave " + msg.sType + L":" + msg.pSender->GetName());
    };
    Click(w->Find(L"go"));
    EXPECT_EQ(order,
              Strings({L"enter click:go", L"enter selectchanged:b", L"enter selectchanged:check",
                       L"leave selectchanged:check", L"leave selectchanged:b", L"leave click:go"}));
}

TEST_F(DuiTest, ComboPicksNotifyAtOnceAndOnlyOnChange) {
    TestWindow* w = Open(
        "<VerticalLayout><Combo name='combo' height='24'>"
        "<ListLabelElement text='one'/><ListLabelElement text='two'/>"
        "</Combo></VerticalLayout>");
    auto* combo = w->Find<dui::CComboUI>(L"combo");
    ASSERT_EQ(combo->GetCount(), 2);
    // Qt would pick the first item by itself; the combo has no pick until one is made.
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->Add(new dui::CListLabelElementUI);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(combo->SelectItem(1));
    EXPECT_EQ(Types(*w), Strings({L"itemselect:combo"}));
    EXPECT_EQ(combo->GetText(), L"two");
    combo->SelectItem(1);
    combo->SetEnabled(false);
    combo->SelectItem(0);  // by code, disabled or not
    EXPECT_EQ(Types(*w), Strings({L"itemselect:combo", L"itemselect:combo"}));
    EXPECT_FALSE(combo->SelectItem(7));
    // Refilled by code, the combo has no pick until it is given its pick again.
    combo->RemoveAll();
    EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST_F(DuiTest, EditNotifiesTheUsersTypingReturnAndFocusMoves) {
    TestWindow* w = Open(
        "<VerticalLayout><Edit name='e1' height='24' numberonly='true' "
        "maxchar='4'/><Edit name='e2' height='24'/><Button name='b' "
        "height='24'/></VerticalLayout>");
    w->GetHWND()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w->GetHWND()));
    auto* e1 = w->Find<dui::CEditUI>(L"e1");
    e1->SetText(L"12");  // by code: no textchanged
    e1->SetFocus();
    auto* field = e1->GetWidget()->findChild<QLineEdit*>();
    e1->SetSelAll();
    QTest::keyClicks(field, "x98765");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(e1->GetText(), L"9876");  // digits only, four at most
    Click(w->Find(L"b"));               // the click takes the focus from the edit
    Strings types = Types(*w, true);
    Strings expected = {L"setfocus:e1"};
    for (int i = 0; i < 4; ++i) {
        expected.push_back(L"textchanged:e1");
    }
    expected.insert(expected.end(), {L"return:e1", L"killfocus:e1", L"setfocus:b", L"click:b"});
    EXPECT_EQ(types, expected);
}

TEST_F(DuiTest, APressAnywhereInsideAnEditFocusesThatEdit) {
    // Its text padding too, which the text field leaves: the containers around take nothing.
    TestWindow* w = Open(
        "<VerticalLayout><Edit name='e1' height='24'/><HorizontalLayout height='30'>"
        "<Edit name='e2' textpadding='20,0,20,0'/></HorizontalLayout></VerticalLayout>");
    QWidget* e2 = w->Find(L"e2")->GetWidget();
    for (int x : {5, e2->width() - 5}) {
        Click(w->Find(L"e1"));
        QTest::mouseClick(e2, Qt::LeftButton, {}, QPoint(x, e2->height() / 2));
        EXPECT_EQ(afx_test::FocusName(w->GetHWND()), L"e2") << x;
        EXPECT_EQ(w->GetPaintManager().GetFocus(), w->Find(L"e2")) << x;
    }
}

TEST_F(DuiTest, NothingTakesTheFocusWhenTheWindowComesUp) {
    TestWindow* w = Open(
        "<VerticalLayout><Edit name='e' height='24'/><Combo name='c' "
        "height='24'/><Button name='b' height='24'/></VerticalLayout>");
    w->GetHWND()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w->GetHWND()));
    EXPECT_EQ(w->GetPaintManager().GetFocus(), nullptr);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == nullptr || focus == w->GetHWND());
    EXPECT_TRUE(w->heard.empty());
}

TEST_F(DuiTest, ListRowsTakeTextFromTheCallbackAndNotifySelectionAndActivation) {
    TestWindow* w = Open(
        "<VerticalLayout><List name='list'><ListHeader height='20'>"
        "<ListHeaderItem text='No.' width='40'/><ListHeaderItem text='Value' "
        "width='100'/></ListHeader></List></VerticalLayout>");
    auto* list = w->Find<dui::CListUI>(L"list");
    struct Callback : dui::IListCallbackUI {
        std::wstring GetItemText(dui::CControlUI* row, int index, int column) override {
            return row->GetName() + L"/" + std::to_wstring(index) + L"/" + std::to_wstring(column);
        }
    } callback;
    list->SetTextCallback(&callback);
    for (int i = 0; i < 3; ++i) {
        auto* row = new dui::CListTextElementUI;
        row->SetName(L"row");
        row->SetFixedHeight(16);
        list->Add(row);
    }
    Settle();
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetHeader()->GetCount(), 2);
    EXPECT_EQ(callback.GetItemText(list->GetItemAt(2), 2, 1), L"row/2/1");
    auto* row = list->GetItemAt(1);
    QTest::mouseDClick(row->GetWidget(), Qt::LeftButton, {}, row->GetWidget()->rect().center());
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(Types(*w, true), Strings({L"setfocus:row", L"itemselect:list", L"itemactivate:row"}));
    list->RemoveAt(0);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(static_cast<dui::CListElementUI*>(list->GetItemAt(0))->GetIndex(), 0);
}

TEST_F(DuiTest, InPlaceEditOverARowGoesOnItsOwnKillfocusOneAtATime) {
    TestWindow* w = Open(
        "<VerticalLayout><Container name='box' height='200'><List name='list'><ListHeader "
        "height='20'><ListHeaderItem width='40'/><ListHeaderItem width='100'/></ListHeader>"
        "</List></Container><Button name='b' height='24'/></VerticalLayout>");
    w->GetHWND()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w->GetHWND()));
    auto* box = w->Find<dui::CContainerUI>(L"box");
    auto* list = w->Find<dui::CListUI>(L"list");
    for (int i = 0; i < 3; ++i) {
        auto* row = new dui::CListTextElementUI;
        row->SetFixedHeight(16);
        list->Add(row);
    }
    Settle();
    std::vector<std::wstring> stored;
    auto open = [&](int row) {
        auto* edit = new dui::CEditUI;
        edit->SetName(L"ListEdit");
        edit->SetFloat(true);
        edit->SetFixedXY({40, list->GetItemAt(row)->GetPos().top - box->GetPos().top});
        edit->SetFixedWidth(80);
        edit->SetFixedHeight(18);
        box->Add(edit);
        edit->SetFocus();
        Settle();
        return edit;
    };
    w->onNotify = [&](dui::TNotifyUI& msg) {
        if (msg.pSender->GetName() != L"ListEdit") {
            return;
        }
        if (msg.sType == L"killfocus") {
            stored.push_back(msg.pSender->GetText());
            EXPECT_TRUE(box->RemoveLater(msg.pSender));
            // Still there for the rest of its own notification.
            EXPECT_EQ(msg.pSender->GetName(), L"ListEdit");
        } else if (msg.sType == L"return") {
            box->SetFocus();
        }
    };
    dui::CEditUI* first = open(1);
    EXPECT_EQ(first->GetPos().top, list->GetItemAt(1)->GetPos().top);
    EXPECT_TRUE(first->GetWidget()->findChild<QLineEdit*>()->hasFocus());
    first->SetText(L"12");
    open(2)->SetText(L"34");  // the first goes as the second takes the focus
    EXPECT_EQ(stored, Strings({L"12"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(stored, Strings({L"12", L"34"}));
    EXPECT_EQ(w->Find(L"ListEdit"), nullptr);
    EXPECT_EQ(box->GetCount(), 1);
}

TEST_F(DuiTest, WorkerControlCallsRunOnTheUiThread) {
    TestWindow* w = Open(
        "<VerticalLayout><Text name='status' height='20'/><Button name='sync' "
        "height='20'/></VerticalLayout>");
    auto* status = w->Find(L"status");
    auto* sync = w->Find(L"sync");
    std::wstring readBack;
    auto worker = afx::BeginThread([&] {
        status->SetText(L"Connecting to machine...");
        sync->SetEnabled(false);
        readBack = status->GetText();
        sync->SetVisible(false);
        return 0u;
    });
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(readBack, L"Connecting to machine...");
    EXPECT_FALSE(sync->IsEnabled());
    EXPECT_FALSE(sync->IsVisible());
    EXPECT_TRUE(sync->GetWidget()->isHidden());
}

}  // namespace
}  // namespace dui_test
