// The wizard's key types and step flow through the real widgets.

#include "add_key_fixture.h"
#include "platform/dui/native.h"
#include "platform/text/text.h"
#include "res/strings.h"

namespace ui_test {
namespace {

using Texts = std::vector<std::wstring>;

const wchar_t* const kRows[] = {L"LocatingContainer", L"LenghtContainer",    L"WidthContainer",
                                L"BladeContainer",    L"KeyZDepthContainer", L"SlotWidthContainer"};

TEST_F(AddKeyTest, EachKeyTypeShowsItsRowsPicturesAndSteps) {
    struct Row {
        int type, rows, stored;
        bool offsets, dimple;
    };
    const Row table[] = {{1, 3, 1, false, false}, {2, 3, 2, false, false}, {3, 5, 3, true, false},
                         {4, 5, 4, true, false},  {5, 5, 5, true, false},  {6, 6, 9, true, false},
                         {7, 6, 7, true, true},   {8, 4, 8, false, true}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.type);
        Press(platform::Format(L"keyType%d", row.type));
        EXPECT_EQ(wizard_->GetCurStep(), 1);
        int shown = 0;
        for (const wchar_t* name : kRows) {
            shown += Shown(name) ? 1 : 0;
        }
        EXPECT_EQ(shown, row.rows);
        EXPECT_EQ(+wizard_->GetKeyParams().keyType, row.stored);
        const int column = row.type % 2 == 1 ? 1 : 3;  // shoulder: the right one of the pair
        EXPECT_EQ(Control(L"Step2Control")->GetBkImage(),
                  platform::Format(L"file='step2key.png' source='%d,%d,%d,%d'", column * 320,
                                   (row.type - 1) / 2 * 150, (column + 1) * 320,
                                   ((row.type - 1) / 2 + 1) * 150));
        EXPECT_EQ(!Control(L"stepHeadContainer0")->GetWidget()->isHidden(), row.offsets);
        EXPECT_EQ(!Control(L"stepHeadContainer2")->GetWidget()->isHidden(), row.dimple);
        // Every type with clamp offsets reaches the one its finished key reads.
        EXPECT_EQ(Control(L"EditUI6")
                          ->GetWidget()
                          ->isVisibleTo(Control(L"step4VerticalLayout")->GetWidget()) &&
                      Enabled(L"EditUI6"),
                  row.offsets);
        // A side picture, tall for Dimple+Track, never covers its list.
        const dui::CControlUI* picture = Control(L"Step5keyAControl");
        EXPECT_GE(Control(L"Step5ContainerlistA")->GetFixedXY().cy,
                  picture->GetFixedXY().cy + picture->GetFixedHeight());
        // Without the defaults, the flat lists unfold only with "Define flat".
        Find<dui::COptionUI>(L"Step4Option")->Selected(false);
        EXPECT_EQ(Control(L"stepHeadContainer1")->GetFixedHeight(), 26);
        Find<dui::COptionUI>(L"Step4showImage")->Selected(true);
        EXPECT_EQ(Control(L"stepHeadContainer1")->GetFixedHeight(), 195);
        EXPECT_TRUE(Enabled(L"step2") && Enabled(L"LastBtn"));
        EXPECT_FALSE(Enabled(L"step3"));
        Press(L"CancelBtn");
        EXPECT_FALSE(dui::IsWindowVisible(wizard_->GetHWND()));
        wizard_->ShowWizard();
    }
    // Dimple+Track's own count labels exist in Chinese only; English shows the plain ones.
    Press(L"keyType7");
    EXPECT_EQ(Text(L"LabelUI24") + Text(L"circleLabel"), L"Blades A:Depths No. :");
    res::SetUiLanguage(res::kLangChinese);
    wizard_->LoadLanguageTexts();
    EXPECT_EQ(Text(L"LabelUI25") + Text(L"grooveLabel"), L"槽齿数：槽齿数：");
    Press(L"CancelBtn");
    wizard_->ShowWizard();
    // Type 1 moves its three rows down by 30, 60 and 90.
    Press(L"keyType1");
    EXPECT_EQ(Control(L"WidthContainer")->GetFixedXY().cy, 102 + 90);
}

TEST_F(AddKeyTest, BadEntryKeepsTheStepAndFocusesItsEdit) {
    Press(L"keyType1");
    Type(L"EditUI1", L"2800");
    Type(L"EditUI2", L"399");
    Press(L"NextBtn");
    EXPECT_EQ(owner_.messages, Texts({L"Key width range from 400 to 1100."}));
    EXPECT_EQ(owner_.types, std::vector<int>({0}));
    EXPECT_EQ(wizard_->GetCurStep(), 1);
    EXPECT_TRUE(Find<dui::COptionUI>(L"step2")->IsSelected());
    EXPECT_TRUE(Control(L"EditUI2")->IsFocused());
    EXPECT_EQ(Find<dui::CEditUI>(L"EditUI2")->GetSelectedText(), L"399");
    // What is stored in 16 bits takes no more than four digits.
    EXPECT_EQ(Find<dui::CEditUI>(L"EditUI5")->GetMaxChar(), 4);
    EXPECT_EQ(Find<dui::CEditUI>(L"EditUI15")->GetMaxChar(), 4);
}

TEST_F(AddKeyTest, ForwardJumpChecksEveryStepOnTheWayAndAnotherTypeLocksThemAgain) {
    DefineKey(1);
    ASSERT_EQ(wizard_->GetCurStep(), 5);
    Press(L"step3");  // back to the spaces: no check
    EXPECT_EQ(wizard_->GetCurStep(), 2);
    Pick(L"step3ACombo", 13);  // seven new rows of 0
    Press(L"step6");
    EXPECT_EQ(owner_.messages, Texts({L"Enter spaces,cannot be 0."}));
    EXPECT_EQ(wizard_->GetCurStep(), 2);
    EXPECT_TRUE(Find<dui::COptionUI>(L"step3")->IsSelected());
    // From further back, the spaces are judged on the way and keep the jump.
    Press(L"step2");
    Press(L"step6");
    EXPECT_EQ(owner_.messages.size(), 2u);
    EXPECT_EQ(owner_.messages.back(), L"Enter spaces,cannot be 0.");
    EXPECT_EQ(wizard_->GetCurStep(), 2);
    EXPECT_TRUE(Find<dui::COptionUI>(L"step3")->IsSelected());
    Pick(L"step3ACombo", 6);
    Press(L"step6");
    EXPECT_EQ(wizard_->GetCurStep(), 5);
    EXPECT_EQ(Text(L"NextBtn"), L"Save");

    Press(L"step1");
    Press(L"keyType8");
    EXPECT_TRUE(Enabled(L"step2"));
    for (const wchar_t* head : {L"step3", L"step4", L"step5", L"step6"}) {
        EXPECT_FALSE(Enabled(head)) << head;
    }
}

TEST_F(AddKeyTest, ResetThenASecondRunWithAnotherType) {
    DefineKey(8);
    Press(L"CancelBtn");
    EXPECT_EQ(wizard_->GetKeyType(), 0);
    EXPECT_EQ(+wizard_->GetKeyParams().keyType, 0);
    EXPECT_TRUE(Find<dui::COptionUI>(L"step1")->IsSelected());
    EXPECT_FALSE(Enabled(L"step2"));
    EXPECT_EQ(Text(L"EditUI1"), L"");
    // Every list holds the rows its combo says, with the plain texts of no type.
    for (int list = 0; list < kCellLists; ++list) {
        EXPECT_EQ(wizard_->GetListTexts(list).size(), 2u) << list;
    }
    EXPECT_EQ(wizard_->GetListTexts(2)[0], L"100");
    EXPECT_EQ(Find<dui::CComboUI>(L"circleCombo")->GetCurSel(), 0);

    wizard_->ShowWizard();
    DefineKey(1);
    EXPECT_EQ(wizard_->GetCurStep(), 5);
    EXPECT_TRUE(owner_.messages.empty());
    EXPECT_EQ(+wizard_->GetKeyParams().keyType, 1);
    EXPECT_EQ(+wizard_->GetKeyParams().spaces[7], 2400);
    EXPECT_EQ(+wizard_->GetKeyParams().clampType, 1);
    EXPECT_EQ(Control(L"ControlUI13")->GetBkImage(), L"file='vice1.png' source='0,0,283,134'");
}

}  // namespace
}  // namespace ui_test
