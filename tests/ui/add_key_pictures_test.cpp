// Every step page of a standard, a Two Track and a dimple key in Chinese and in English: pictures
// go into the build tree ("add_key_<type>_<language>_step<n>.png", and the flat page with its own
// values) for people to look at; the last step shows each key's clamp.

#include "add_key_fixture.h"
#include "platform/text/text.h"
#include "res/strings.h"

namespace ui_test {
namespace {

TEST_F(AddKeyTest, EveryStepPageOfAStandardAndADimpleKeyInChineseAndEnglish) {
    const std::pair<int, const char*> languages[] = {{res::kLangChinese, "zh"},
                                                     {res::kLangEnglish, "en"}};
    for (const auto& [language, tag] : languages) {
        res::SetUiLanguage(language);
        wizard_->LoadLanguageTexts();
        for (int type : {1, 3, 8}) {
            SCOPED_TRACE(type);
            const std::string prefix = "add_key_" + std::to_string(type) + "_" + tag + "_step";
            SaveScreenshot(wizard_->GetHWND(), prefix + "1.png");
            DefineKey(type);
            ASSERT_EQ(wizard_->GetCurStep(), 5);
            ASSERT_TRUE(owner_.messages.empty());
            EXPECT_EQ(Text(L"NextBtn"), res::LoadString(214));
            EXPECT_NE(Control(L"ControlUI13")->GetBkImage(), L"");
            for (int step = 1; step <= 5; ++step) {
                Press(platform::Format(L"step%d", step + 1));
                Settle();
                SaveScreenshot(wizard_->GetHWND(), prefix + std::to_string(step + 1) + ".png");
            }
            // The flat page with its own values instead of the defaults.
            Press(L"step4");
            Press(L"Step4Option");
            Press(L"Step4showImage");
            Settle();
            SaveScreenshot(wizard_->GetHWND(), prefix + "4_values.png");
            Press(L"CancelBtn");
            wizard_->ShowWizard();
        }
    }
}

}  // namespace
}  // namespace ui_test
