// Window life: modal runs with a result, closing, the final message, caption hit-testing.

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "dui_window_fixture.h"
#include "platform/dui/edit.h"
#include "platform/dui/native.h"

namespace dui_test {
namespace {

const char kCaptioned[] =
    "<VerticalLayout><HorizontalLayout height='30'><Label name='title' width='100'/>"
    "<Text name='text' width='100'/><Button name='btn' width='50'/><Option name='opt' "
    "width='50'/><Control/></HorizontalLayout><Edit name='e' height='30'/></VerticalLayout>";

TEST_F(DuiTest, ModalRunAnswersTheCloseCodeAndDestroysTheWindow) {
    TestWindow* owner = Open("<Container/>");
    WriteFile("box.xml",
              "<Window size='100,50'><VerticalLayout><Button name='ok' "
              "height='20'/></VerticalLayout></Window>");
    auto* box = new TestWindow(L"box.xml");
    bool final = false;
    box->finalMessage = &final;
    box->onNotify = [box](dui::TNotifyUI& msg) {
        if (msg.sType == L"click") {
            box->Close(7);
        }
    };
    ASSERT_NE(box->Create(owner->GetHWND(), L"", dui::WS_VISIBLE, 0), nullptr);
    dui::HWND hwnd = box->GetHWND();
    QTimer::singleShot(0, [box] {
        EXPECT_EQ(QApplication::activeModalWidget(), box->GetHWND());
        Click(box->Find(L"ok"));
    });
    EXPECT_EQ(box->ShowModal(), 7u);
    EXPECT_TRUE(final);
    EXPECT_FALSE(dui::IsWindow(hwnd));
}

TEST_F(DuiTest, EscapeAndSystemCloseEndAModalRunWithZero) {
    TestWindow* owner = Open("<Container/>");
    WriteFile("box.xml", "<Window size='100,50'><Container/></Window>");
    for (bool escape : {true, false}) {
        auto* box = new TestWindow(L"box.xml");
        ASSERT_NE(box->Create(owner->GetHWND(), L"", 0, 0), nullptr);
        QTimer::singleShot(0, [box, escape] {
            escape ? QTest::keyClick(box->GetHWND(), Qt::Key_Escape)
                   : static_cast<void>(box->GetHWND()->close());
        });
        EXPECT_EQ(box->ShowModal(), 0u);
    }
}

TEST_F(DuiTest, CloseDestroysTheWindowOnceTheHandlerHasReturned) {
    TestWindow* w = Open("<VerticalLayout><Button name='x' height='20'/></VerticalLayout>");
    bool final = false;
    w->finalMessage = &final;
    bool stillThere = false;
    w->onNotify = [&, w](dui::TNotifyUI&) {
        w->Close(1);
        stillThere = !final && w->Find(L"x") != nullptr;
    };
    Click(w->Find(L"x"));
    EXPECT_TRUE(stillThere);
    Settle();
    EXPECT_TRUE(final);
}

TEST_F(DuiTest, CaptionDragsExceptOverButtonsOptionsAndTexts) {
    TestWindow* w = Open(kCaptioned, "caption='0,0,0,30' sizebox='4,4,4,4'");
    EXPECT_EQ(w->OnNcHitTest({50, 15}), dui::HTCAPTION);   // label
    EXPECT_EQ(w->OnNcHitTest({150, 15}), dui::HTCLIENT);   // text
    EXPECT_EQ(w->OnNcHitTest({225, 15}), dui::HTCLIENT);   // button
    EXPECT_EQ(w->OnNcHitTest({275, 15}), dui::HTCLIENT);   // option
    EXPECT_EQ(w->OnNcHitTest({350, 15}), dui::HTCAPTION);  // plain control
    EXPECT_EQ(w->OnNcHitTest({200, 100}), dui::HTCLIENT);  // below the caption
    EXPECT_EQ(w->OnNcHitTest({1, 1}), dui::HTTOPLEFT);
    EXPECT_EQ(w->OnNcHitTest({398, 1}), dui::HTTOPRIGHT);
    EXPECT_EQ(w->OnNcHitTest({200, 1}), dui::HTTOP);
    EXPECT_EQ(w->OnNcHitTest({1, 100}), dui::HTLEFT);
    EXPECT_EQ(w->OnNcHitTest({399, 100}), dui::HTRIGHT);
    EXPECT_EQ(w->OnNcHitTest({200, 299}), dui::HTBOTTOM);
    EXPECT_EQ(w->OnNcHitTest({1, 299}), dui::HTBOTTOMLEFT);
}

TEST_F(DuiTest, DraggingTheCaptionMovesTheWindow) {
    TestWindow* w = Open(kCaptioned, "caption='0,0,0,30'");
    QWidget* label = w->Find(L"title")->GetWidget();
    QPoint before = w->GetHWND()->pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), w->GetHWND()->mapToGlobal(QPointF(60, 50)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w->GetHWND(), &move);
    QTest::mouseRelease(w->GetHWND(), Qt::LeftButton, {}, QPoint(60, 50));
    EXPECT_EQ(w->GetHWND()->pos() - before, QPoint(50, 40));
}

TEST_F(DuiTest, ChildWindowsLieInsideTheirParentAndGoWithIt) {
    TestWindow* parent = Open("<Container/>");
    WriteFile("child.xml", "<Window size='745,539'><Container/></Window>");
    auto* child = new TestWindow(L"child.xml");
    bool final = false;
    child->finalMessage = &final;
    ASSERT_NE(child->Create(parent->GetHWND(), L"", dui::WS_CHILD | dui::WS_VISIBLE, 0), nullptr);
    child->MoveWindow(255, 117, 100, 80);
    EXPECT_EQ(child->GetHWND()->parentWidget(), parent->GetHWND());
    EXPECT_EQ(child->GetHWND()->geometry(), QRect(255, 117, 100, 80));
    EXPECT_FALSE(child->GetHWND()->isWindow());
    dui::DestroyWindow(parent->GetHWND());
    EXPECT_TRUE(final);
}

TEST_F(DuiTest, ChildWindowShownLaterLiesAboveItsSiblingsAndTellsItsVisibility) {
    TestWindow* parent = Open("<Container/>");
    WriteFile("child.xml", "<Window size='100,80'><Container/></Window>");
    auto* shown = new TestWindow(L"child.xml");
    auto* later = new TestWindow(L"child.xml");
    parent->ShowWindow(false);
    ASSERT_NE(later->Create(parent->GetHWND(), L"", dui::WS_CHILD, 0), nullptr);
    ASSERT_NE(shown->Create(parent->GetHWND(), L"", dui::WS_CHILD | dui::WS_VISIBLE, 0), nullptr);
    parent->ShowWindow(true);
    EXPECT_TRUE(dui::IsWindowVisible(shown->GetHWND()));
    EXPECT_FALSE(dui::IsWindowVisible(later->GetHWND()));
    later->ShowWindow(true, false);
    EXPECT_TRUE(later->GetHWND()->isAncestorOf(parent->GetHWND()->childAt(50, 40)));
    EXPECT_TRUE(dui::IsWindowVisible(later->GetHWND()));
    parent->ShowWindow(false);
    EXPECT_FALSE(dui::IsWindowVisible(later->GetHWND()));
}

}  // namespace
}  // namespace dui_test
