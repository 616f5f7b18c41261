// Skin files: parsing, building controls by class, window settings, and image descriptions.

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <filesystem>
#include <fstream>

#include "dui_window_fixture.h"
#include "platform/dui/builder.h"
#include "platform/dui/image.h"
#include "platform/dui/label.h"
#include "platform/dui/paint_manager.h"
#include "platform/dui/skin_parser.h"

namespace dui_test {
namespace {

TEST(SkinParser, ReadsElementsAndAttributesInOrder) {
    auto root = dui::ParseSkin(
        "<?xml version='1.0' encoding='utf-8'?><Window size='10,20'><VerticalLayout>"
        "<Button name='b' text='&#x4e2d;&amp;'/><Label/></VerticalLayout></Window>");
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(root->element, L"Window");
    EXPECT_EQ(root->Attribute(L"size"), L"10,20");
    EXPECT_EQ(root->Attribute(L"missing"), L"");
    ASSERT_EQ(root->children.size(), 1u);
    const dui::SkinNode& layout = root->children[0];
    ASSERT_EQ(layout.children.size(), 2u);
    EXPECT_EQ(layout.children[0].Attribute(L"text"), L"\u4e2d&");
    EXPECT_EQ(layout.children[1].element, L"Label");
}

TEST(SkinParser, RefusesMalformedDeepAndHugeInput) {
    std::string error;
    EXPECT_FALSE(dui::ParseSkin("<Window><Button></Window>", &error).has_value());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(dui::ParseSkin("", &error).has_value());
    EXPECT_FALSE(dui::ParseSkin("<a/><b/>", &error).has_value());
    std::string deep;
    for (int i = 0; i <= dui::kMaxSkinDepth; ++i) {
        deep += "<C>";
    }
    for (int i = 0; i <= dui::kMaxSkinDepth; ++i) {
        deep += "</C>";
    }
    EXPECT_FALSE(dui::ParseSkin(deep, &error).has_value());
    EXPECT_EQ(error, "elements nested too deep");
    std::string wide = "<W>";
    for (size_t i = 0; i < dui::kMaxSkinElements; ++i) {
        wide += "<C/>";
    }
    EXPECT_FALSE(dui::ParseSkin(wide + "</W>", &error).has_value());
    EXPECT_EQ(error, "too many elements");
}

TEST(SkinParser, ReadsDuiLibAttributeLists) {
    auto list = dui::ParseAttributeList(
        L"textcolor=\"#FF000000\" bkimage=\"file='a.png' "
        L"source='0,0,2,2'\"  width='30' broken=");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].first, L"bkimage");
    EXPECT_EQ(list[1].second, L"file='a.png' source='0,0,2,2'");
    EXPECT_EQ(list[2].second, L"30");
}

TEST(ImageDescription, ReadsFileSourceDestAndCorner) {
    dui::ImageDescription image;
    ASSERT_TRUE(dui::ParseImageDescription(L"plain.png", image));
    EXPECT_EQ(image.file, L"plain.png");
    EXPECT_TRUE(image.source.IsEmpty());
    ASSERT_TRUE(dui::ParseImageDescription(
        L"file='q12.png' source='114,0,152,26' dest='1,2,3,4' corner='5,5,5,5'", image));
    EXPECT_EQ(image.file, L"q12.png");
    EXPECT_EQ(image.source, (dui::Rect{114, 0, 152, 26}));
    EXPECT_EQ(image.dest, (dui::Rect{1, 2, 3, 4}));
    EXPECT_EQ(image.corner, (dui::Rect{5, 5, 5, 5}));
    EXPECT_FALSE(dui::ParseImageDescription(L"", image));
    EXPECT_FALSE(dui::ParseImageDescription(L"source='1,2,3,4'", image));
}

class ImageTest : public DuiTest {
  protected:
    void SetUp() override {
        DuiTest::SetUp();
        // Four 10 x 10 frames side by side: red, green, blue, white.
        QImage sprite(40, 10, QImage::Format_ARGB32);
        const QColor frames[4] = {Qt::red, Qt::green, Qt::blue, Qt::white};
        for (int i = 0; i < 4; ++i) {
            QPainter(&sprite).fillRect(i * 10, 0, 10, 10, frames[i]);
        }
        sprite.save(QString::fromStdString((folder_ / "sprite.png").string()));
        dui::ClearImageCache();
    }
    // The colour at the middle of a control as it paints itself.
    static QColor Shown(dui::CControlUI* control) {
        QImage image = control->GetWidget()->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
};

TEST_F(ImageTest, SourceRectanglePicksTheFrame) {
    QImage target(20, 20, QImage::Format_ARGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    EXPECT_TRUE(dui::DrawImage(painter, {0, 0, 20, 20}, L"file='sprite.png' source='20,0,30,10'"));
    EXPECT_FALSE(dui::DrawImage(painter, {0, 0, 20, 20}, L"file='missing.png'"));
    // Only pictures of the skin folder are read.
    std::ofstream(folder_ / ".." / "outside.png") << "x";
    EXPECT_FALSE(dui::DrawImage(painter, {0, 0, 20, 20}, L"../outside.png"));
    std::filesystem::remove(folder_ / ".." / "outside.png");
    EXPECT_FALSE(
        dui::DrawImage(painter, {0, 0, 20, 20},
                       QString::fromStdString((folder_ / "sprite.png").string()).toStdWString()));
    painter.end();
    EXPECT_EQ(target.pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_EQ(dui::ImageSize(L"sprite.png").cx, 40);
}

TEST_F(ImageTest, PicturesDecodedAheadDrawTheSame) {
    dui::PreloadImages({L"sprite.png", L"sprite.png", L"missing.png"});
    QImage target(10, 10, QImage::Format_ARGB32);
    QPainter painter(&target);
    EXPECT_TRUE(dui::DrawImage(painter, {0, 0, 10, 10}, L"file='sprite.png' source='10,0,20,10'"));
    EXPECT_FALSE(dui::DrawImage(painter, {0, 0, 10, 10}, L"missing.png"));
    painter.end();
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::green));
    // Forgetting waits for decodings still under way.
    dui::PreloadImages({L"sprite.png"});
    dui::ClearImageCache();
}

TEST_F(ImageTest, ButtonsAndOptionsDrawTheImageOfTheirState) {
    TestWindow* w = Open(
        "<VerticalLayout><Button name='b' height='20' "
        "normalimage=\"file='sprite.png' source='0,0,10,10'\" "
        "disabledimage=\"file='sprite.png' source='30,0,40,10'\"/>"
        "<Option name='o' height='20' normalimage=\"file='sprite.png' source='0,0,10,10'\" "
        "selectedimage=\"file='sprite.png' source='10,0,20,10'\"/></VerticalLayout>");
    auto* button = w->Find<dui::CButtonUI>(L"b");
    EXPECT_EQ(Shown(button), QColor(Qt::red));
    button->SetEnabled(false);
    EXPECT_EQ(Shown(button), QColor(Qt::white));
    auto* option = w->Find<dui::COptionUI>(L"o");
    EXPECT_EQ(Shown(option), QColor(Qt::red));
    option->Selected(true);
    EXPECT_EQ(Shown(option), QColor(Qt::green));
    // Set by code, as the windows give their language images.
    button->SetEnabled(true);
    button->SetNormalImage(L"file='sprite.png' source='20,0,30,10'");
    EXPECT_EQ(Shown(button), QColor(Qt::blue));
    EXPECT_EQ(button->GetNormalImage(), L"file='sprite.png' source='20,0,30,10'");
}

TEST_F(DuiTest, BuildsControlsByClassWithDefaultsFontsAndWindowSettings) {
    TestWindow* w = Open(
        "<Font id='1' name='DejaVu Sans' size='15' bold='true'/>"
        "<Default name='Label' value='textcolor=\"#FF112233\" text=\"from default\"'/>"
        "<VerticalLayout name='root'><Label name='l1'/><Label name='l2' text='own'/>"
        "<Text name='t'/><Edit name='e'/><Combo name='c'/><List name='list'/>"
        "<TabLayout name='tabs'/><HorizontalLayout name='h'/><Container name='k'/>"
        "<CheckBox name='x'/><Control name='plain'/><Mystery name='m'/></VerticalLayout>",
        "caption='0,0,0,30' sizebox='4,4,4,4' roundcorner='6,6'");
    const std::pair<const wchar_t*, const wchar_t*> classes[] = {{L"root", L"VerticalLayoutUI"},
                                                                 {L"l1", L"LabelUI"},
                                                                 {L"t", L"TextUI"},
                                                                 {L"e", L"EditUI"},
                                                                 {L"c", L"ComboUI"},
                                                                 {L"list", L"ListUI"},
                                                                 {L"tabs", L"TabLayoutUI"},
                                                                 {L"h", L"HorizontalLayoutUI"},
                                                                 {L"k", L"ContainerUI"},
                                                                 {L"x", L"CheckBoxUI"},
                                                                 {L"plain", L"ControlUI"}};
    for (const auto& [name, cls] : classes) {
        ASSERT_NE(w->Find(name), nullptr) << name;
        EXPECT_EQ(w->Find(name)->GetClass(), cls) << name;
    }
    EXPECT_EQ(w->Find(L"m"), nullptr);
    EXPECT_EQ(w->Find(L"l1")->GetText(), L"from default");
    EXPECT_EQ(w->Find(L"l2")->GetText(), L"own");
    const dui::CPaintManagerUI& pm = w->GetPaintManager();
    EXPECT_EQ(pm.GetCaptionRect(), (dui::Rect{0, 0, 0, 30}));
    EXPECT_EQ(pm.GetSizeBox(), (dui::Rect{4, 4, 4, 4}));
    EXPECT_EQ(pm.GetFont(1).size, 15);
    EXPECT_TRUE(pm.GetFont(1).bold);
    EXPECT_EQ(w->GetHWND()->size(), QSize(400, 300));
}

TEST_F(DuiTest, UnknownClassesGoToTheWindowsBuilder) {
    WriteFile("built.xml",
              "<Window size='100,100'><VerticalLayout><Gadget name='g'/>"
              "<gadget name='g2'/><Other name='o'/></VerticalLayout></Window>");
    auto* w = new TestWindow(L"built.xml");
    std::vector<std::wstring> asked;
    w->builder = [&](const std::wstring& cls) -> dui::CControlUI* {
        asked.push_back(cls);
        return cls == L"Other" ? nullptr : new dui::CLabelUI;
    };
    ASSERT_NE(w->Create(nullptr, L"", dui::WS_POPUP, 0), nullptr);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"Gadget", L"gadget", L"Other"}));
    EXPECT_NE(w->Find(L"g"), nullptr);
    EXPECT_NE(w->Find(L"g2"), nullptr);
    EXPECT_EQ(w->Find(L"o"), nullptr);
}

TEST_F(DuiTest, MissingOrBrokenSkinCreatesNoWindow) {
    WriteFile("broken.xml", "<Window><VerticalLayout>");
    for (const wchar_t* file : {L"broken.xml", L"absent.xml"}) {
        TestWindow w(file);
        EXPECT_EQ(w.Create(nullptr, L"", dui::WS_POPUP, 0), nullptr);
        EXPECT_EQ(w.GetHWND(), nullptr);
    }
}

}  // namespace
}  // namespace dui_test
