// Controls sit where the skin puts them; visibility is the control's own and its page's.

#include "dui_window_fixture.h"
#include "platform/dui/container.h"
#include "platform/dui/label.h"

namespace dui_test {
namespace {

TEST_F(DuiTest, LayoutsGiveFixedSizesFirstAndShareTheRest) {
    TestWindow* w = Open(
        "<VerticalLayout inset='10,10,10,10' childpadding='5'>"
        "<Control name='top' height='40'/>"
        "<HorizontalLayout name='row' childpadding='4'>"
        "<Control name='left' width='100'/><Control name='fill'/>"
        "<Control name='right' width='50' padding='0,5,0,5'/></HorizontalLayout>"
        "<Control name='bottom' height='30'/></VerticalLayout>");
    EXPECT_EQ(w->Find(L"top")->GetPos(), (dui::Rect{10, 10, 390, 50}));
    EXPECT_EQ(w->Find(L"row")->GetPos(), (dui::Rect{10, 55, 390, 255}));
    EXPECT_EQ(w->Find(L"bottom")->GetPos(), (dui::Rect{10, 260, 390, 290}));
    EXPECT_EQ(w->Find(L"left")->GetPos(), (dui::Rect{10, 55, 110, 255}));
    EXPECT_EQ(w->Find(L"fill")->GetPos(), (dui::Rect{114, 55, 336, 255}));
    EXPECT_EQ(w->Find(L"right")->GetPos(), (dui::Rect{340, 60, 390, 250}));
    // A hidden control gives its room to the others.
    w->Find(L"top")->SetVisible(false);
    w->GetPaintManager().UpdateLayout();
    EXPECT_EQ(w->Find(L"row")->GetPos(), (dui::Rect{10, 10, 390, 255}));
}

TEST_F(DuiTest, FloatingControlsSitAtTheirPlaceInTheirParent) {
    TestWindow* w = Open(
        "<Container><Container name='box' float='true' pos='50,60,250,260'>"
        "<Control name='f' float='true' pos='29,22,129,48'/></Container>"
        "</Container>");
    auto* f = w->Find(L"f");
    EXPECT_EQ(f->GetPos(), (dui::Rect{79, 82, 179, 108}));
    EXPECT_EQ(f->GetWidget()->geometry(), QRect(29, 22, 100, 26));
    f->SetFixedXY({29, 190});
    w->GetPaintManager().UpdateLayout();
    EXPECT_EQ(f->GetFixedXY().cy, 190);
    EXPECT_EQ(f->GetPos(), (dui::Rect{79, 250, 179, 276}));
}

TEST_F(DuiTest, TabLayoutShowsOnePageAndVisibilityIsTheControlsOwn) {
    TestWindow* w = Open(
        "<TabLayout name='switch'><Container name='p0'><Label name='a'/>"
        "</Container><Container name='p1'><Label name='b'/></Container>"
        "</TabLayout>");
    auto* tabs = w->Find<dui::CTabLayoutUI>(L"switch");
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_TRUE(w->Find(L"a")->IsVisible());
    EXPECT_FALSE(w->Find(L"b")->IsVisible());
    ASSERT_TRUE(tabs->SelectItem(1));
    EXPECT_FALSE(w->Find(L"a")->IsVisible());
    EXPECT_TRUE(w->Find(L"b")->IsVisible());
    EXPECT_FALSE(tabs->SelectItem(2));
    // A hidden window does not make its controls invisible.
    w->ShowWindow(false);
    EXPECT_TRUE(w->Find(L"b")->IsVisible());
    // A control hidden itself stays hidden when its page comes back.
    w->Find(L"a")->SetVisible(false);
    tabs->SelectItem(0);
    EXPECT_FALSE(w->Find(L"a")->IsVisible());
}

TEST_F(DuiTest, ScrollingContainerMovesItsContent) {
    TestWindow* w = Open(
        "<VerticalLayout><VerticalLayout name='scroll' height='100' "
        "vscrollbar='true'><Control name='c1' height='80'/>"
        "<Control name='c2' height='80'/></VerticalLayout></VerticalLayout>");
    auto* scroll = w->Find<dui::CContainerUI>(L"scroll");
    int top = w->Find(L"c2")->GetPos().top;
    scroll->SetScrollPos(30);
    EXPECT_EQ(w->Find(L"c2")->GetPos().top, top - 30);
    scroll->SetScrollPos(1000);  // no further than the content goes
    EXPECT_EQ(scroll->GetScrollPos(), 60);
    EXPECT_TRUE(scroll->OnWheel(120));
    EXPECT_EQ(scroll->GetScrollPos(), 12);
}

TEST_F(DuiTest, ContainersAddAndRemoveControls) {
    TestWindow* w = Open("<VerticalLayout name='v'><Label name='a' height='10'/></VerticalLayout>");
    auto* v = w->Find<dui::CContainerUI>(L"v");
    auto* b = new dui::CLabelUI;
    b->SetName(L"b");
    ASSERT_TRUE(v->AddAt(b, 0));
    EXPECT_EQ(v->GetItemIndex(b), 0);
    EXPECT_EQ(w->Find(L"b"), b);
    EXPECT_TRUE(v->Remove(b));
    EXPECT_EQ(w->Find(L"b"), nullptr);
    EXPECT_FALSE(v->RemoveAt(5));
    v->RemoveAll();
    EXPECT_EQ(v->GetCount(), 0);
    Settle();
}

}  // namespace
}  // namespace dui_test
