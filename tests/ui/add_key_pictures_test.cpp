// Every step page of a standard, a Two Track, a Dimple+Track and a double-sided dimple key in
// the four languages: pictures go into the build tree ("add_key_<type>_<language>_step<n>.png",
// and the flat page with its own values) for people to look at, every text on them shows
// whole, and the last step shows each key's clamp.

#include <QFontMetrics>

#include "add_key_fixture.h"
#include "platform/dui/container.h"
#include "platform/dui/qt_util.h"
#include "platform/text/text.h"
#include "res/strings.h"

namespace ui_test {
namespace {

// Room a text leaves before whatever lies beside its control.
constexpr int kClearance = 4;

// The texts of the shown labels, buttons and options under `control` fit their controls'
// room, with the skin's font of each.
void ExpectTextsWhole(const dui::CPaintManagerUI& manager, dui::CControlUI* control) {
    if (auto* container = dynamic_cast<dui::CContainerUI*>(control)) {
        for (int i = 0; i < container->GetCount(); ++i) {
            ExpectTextsWhole(manager, container->GetItemAt(i));
        }
    }
    auto* label = dynamic_cast<dui::CLabelUI*>(control);
    if (label == nullptr || dynamic_cast<dui::CEditUI*>(control) != nullptr ||
        label->GetText().empty() || !label->GetWidget()->isVisible()) {
        return;
    }
    const dui::Rect& padding = label->GetTextPadding();
    const QRect room = label->GetWidget()->rect().adjusted(padding.left, padding.top,
                                                           -padding.right, -padding.bottom);
    const bool wraps = (label->GetTextStyle() & dui::DT_WORDBREAK) != 0 &&
                       (label->GetTextStyle() & dui::DT_SINGLELINE) == 0;
    const QRect needed =
        QFontMetrics(dui::SkinFont(&manager, label->GetFont()))
            .boundingRect(QRect(0, 0, room.width() - kClearance, room.height()),
                          wraps ? Qt::TextWordWrap : 0, dui::ToQString(label->GetText()));
    EXPECT_TRUE(needed.width() <= room.width() - kClearance && needed.height() <= room.height())
        << platform::WideToUtf8(label->GetName()) << " \"" << platform::WideToUtf8(label->GetText())
        << "\" needs " << needed.width() << "x" << needed.height() << " in " << room.width() << "x"
        << room.height();
}

TEST_F(AddKeyTest, EveryStepPageInEveryLanguageShowsItsTextsWhole) {
    const std::pair<int, const char*> languages[] = {{res::kLangChinese, "zh"},
                                                     {res::kLangEnglish, "en"},
                                                     {res::kLangItalian, "it"},
                                                     {res::kLangSwedish, "sv"}};
    for (const auto& [language, tag] : languages) {
        res::SetUiLanguage(language);
        wizard_->LoadLanguageTexts();
        for (int type : {1, 3, 7, 8}) {
            SCOPED_TRACE(testing::Message() << tag << " type " << type);
            const std::string prefix = "add_key_" + std::to_string(type) + "_" + tag + "_step";
            auto look = [&](const std::string& name) {
                Settle();
                SaveScreenshot(wizard_->GetHWND(), prefix + name + ".png");
                ExpectTextsWhole(wizard_->GetPaintManager(), wizard_->GetPaintManager().GetRoot());
            };
            look("1");
            DefineKey(type, type == 8 ? 1 : 0);
            ASSERT_EQ(wizard_->GetCurStep(), 5);
            ASSERT_TRUE(owner_.messages.empty());
            EXPECT_EQ(Text(L"NextBtn"), res::LoadString(214));
            EXPECT_NE(Control(L"ControlUI13")->GetBkImage(), L"");
            for (int step = 1; step <= 5; ++step) {
                Press(platform::Format(L"step%d", step + 1));
                look(std::to_string(step + 1));
            }
            // The flat page with its own values instead of the defaults.
            Press(L"step4");
            Press(L"Step4Option");
            Press(L"Step4showImage");
            look("4_values");
            Press(L"CancelBtn");
            wizard_->ShowWizard();
        }
    }
}

}  // namespace
}  // namespace ui_test
