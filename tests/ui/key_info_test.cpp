// The key information pane with its real widgets: keypad labelling, entering and resetting a
// bitting, the key's data, the clamp picture, keys that are not found, and its texts.
#include <gtest/gtest.h>

#include <cstring>

#include "key_info_fixture.h"
#include "res/strings.h"

namespace ui_test {
namespace {

constexpr int16_t kKeyId = -101;

class KeyInfoPane : public KeyInfoTest {
  protected:
    void ShowFiveCutKey() {
        g_KeyData = {Record(kKeyId, FiveCutKey(), "HU66_U")};
        pane_->ShowKey(kKeyId);
    }
    void ExpectKeypad(const std::vector<std::wstring>& labels) {
        for (int k = 1; k <= 15; ++k) {
            SCOPED_TRACE(k);
            const bool labelled = k <= static_cast<int>(labels.size());
            EXPECT_EQ(Digit(k)->GetText(), labelled ? labels[k - 1] : L"");
            EXPECT_EQ(Digit(k)->IsEnabled(), labelled);
        }
    }
    void ExpectBlankPane() {
        for (const wchar_t* label : {L"l_keyName", L"l_keyType", L"l_keyLength", L"l_keyWidth",
                                     L"l_keyThick", L"l_keySlot"}) {
            EXPECT_EQ(Text(label), L"") << label;
        }
        ExpectKeypad({});
        EXPECT_FALSE(Control(L"buttonReset")->IsEnabled());
        EXPECT_EQ(pane_->GetPaintManager().Find<dui::CEditUI>(L"EditUI1")->GetNormalImage(), L"");
        EXPECT_TRUE(pane_->Bitting().empty());
        EXPECT_EQ(Shown(), Drawn(KeyParams{}, {}));
    }
};

TEST_F(KeyInfoPane, BeforeAnyKeyEveryButtonIsDisabledAndTheCanvasBlank) {
    ExpectKeypad({});
    EXPECT_FALSE(Control(L"buttonReset")->IsEnabled());
    EXPECT_FALSE(Control(L"EditUI1")->IsEnabled());
    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(465, 286));
    EXPECT_EQ(shown, Drawn(KeyParams{}, {}));
    EXPECT_EQ(shown.pixel(200, 143), qRgb(255, 255, 255));
}

TEST_F(KeyInfoPane, ShownKeyLabelsItsKeypadWithTheFirstGroupsDepthsAndFillsItsData) {
    ShowFiveCutKey();
    ExpectKeypad({L"800", L"750", L"700"});
    EXPECT_TRUE(Control(L"buttonReset")->IsEnabled());
    EXPECT_EQ(Text(L"l_keyName"), L"HU66_U");
    EXPECT_EQ(Text(L"l_keyType"), L"Standard  Single Sided");
    EXPECT_EQ(Text(L"l_keyLength"), L"4200");
    EXPECT_EQ(Text(L"l_keyWidth"), L"900");
    EXPECT_EQ(Text(L"l_keyThick"), L"230");
    EXPECT_EQ(Text(L"l_keySlot"), L"0");
    EXPECT_EQ(pane_->GetPaintManager().Find<dui::CEditUI>(L"EditUI1")->GetNormalImage(),
              L"file='vice1.png' source='0,0,283,134'");
    EXPECT_EQ(Shown(), Drawn(FiveCutKey(), {}));
}

TEST_F(KeyInfoPane, DigitsAreAddedUpToTheCutCountDrawingAfterEachAndRefusedBeyond) {
    ShowFiveCutKey();
    std::vector<int32_t> typed;
    for (int digit : {2, 3, 1, 1, 2}) {
        Press(digit);
        typed.push_back(digit);
        EXPECT_EQ(pane_->Bitting(), typed);
        EXPECT_EQ(Shown(), Drawn(FiveCutKey(), typed)) << typed.size();
    }
    Press(3);
    EXPECT_EQ(pane_->Bitting(), typed);
    EXPECT_EQ(Shown(), Drawn(FiveCutKey(), typed));
}

TEST_F(KeyInfoPane, ResetEmptiesTheBittingAndDrawsTheKeyUncut) {
    ShowFiveCutKey();
    for (int digit : {2, 3, 1}) {
        Press(digit);
    }
    ASSERT_NE(Shown(), Drawn(FiveCutKey(), {}));
    Click(Control(L"buttonReset"));
    EXPECT_TRUE(pane_->Bitting().empty());
    EXPECT_EQ(Shown(), Drawn(FiveCutKey(), {}));
    Press(1);
    EXPECT_EQ(pane_->Bitting(), std::vector<int32_t>{1});
}

TEST_F(KeyInfoPane, TypeSixGivesAnEmptyTypeLabelAndABlankCanvas) {
    KeyParams key = FiveCutKey();
    key.keyType = 6;
    g_KeyData = {Record(kKeyId, key, "SIX")};
    pane_->ShowKey(kKeyId);
    EXPECT_EQ(Text(L"l_keyType"), L"");
    EXPECT_EQ(Shown(), Drawn(KeyParams{}, {}));
}

TEST_F(KeyInfoPane, KeyNameFillingItsWholeFieldIsReadNoFurther) {
    KeyParams key = FiveCutKey();
    // The bytes after the name field must not join the name.
    std::memset(key.reserved1, 'X', sizeof key.reserved1);
    g_KeyData = {Record(kKeyId, key, "ABCDEFGHIJKLMNOP")};
    pane_->ShowKey(kKeyId);
    EXPECT_EQ(Text(L"l_keyName"), L"ABCDEFGHIJKLMNOP");
}

TEST_F(KeyInfoPane, TheFirstRecordWithTheIdIsShownDeletedOrNot) {
    KeyParams deleted = FiveCutKey();
    deleted.status = KeyStatusDeleted;
    deleted.keyLength = 3100;
    g_KeyData = {Record(-102, FiveCutKey(), "OTHER"), Record(kKeyId, deleted, "GONE"),
                 Record(kKeyId, FiveCutKey(), "LATER")};
    pane_->ShowKey(kKeyId);
    EXPECT_EQ(Text(L"l_keyName"), L"GONE");
    EXPECT_EQ(Text(L"l_keyLength"), L"3100");
}

TEST_F(KeyInfoPane, KeyNotFoundBlanksThePaneInsteadOfLeavingThePreviousKey) {
    ShowFiveCutKey();
    Press(2);
    g_KeyDataEdit = {Record(-105, FiveCutKey(), "UNFINISHED")};
    pane_->ShowKey(-105);
    ExpectBlankPane();
    // Nothing can be typed or reset onto a blank pane.
    pane_->AddDepth(1);
    EXPECT_TRUE(pane_->Bitting().empty());
    EXPECT_EQ(Shown(), Drawn(KeyParams{}, {}));

    ShowFiveCutKey();
    pane_->ShowKey(1234);
    ExpectBlankPane();
}

TEST_F(KeyInfoPane, UnknownClampClearsThePicture) {
    ShowFiveCutKey();  // a picture to clear
    KeyParams key = FiveCutKey();
    key.clampType = 3;
    g_KeyData = {Record(kKeyId, key, "CLAMP")};
    pane_->ShowKey(kKeyId);
    EXPECT_EQ(pane_->GetPaintManager().Find<dui::CEditUI>(L"EditUI1")->GetNormalImage(), L"");
    EXPECT_FALSE(Control(L"EditUI1")->IsEnabled());
}

struct LanguageTexts {
    int languageId;
    std::wstring title, enterCode, keyInfo, slot, reset, typeName;
};

TEST_F(KeyInfoPane, FixedTextsAndTheTypeNameInEachLanguage) {
    const LanguageTexts languages[] = {
        {res::kLangChinese, L"钥匙图像预览", L"请输入钥匙齿形编码", L"钥匙胚信息(单位0.01mm)",
         L"内槽深度:", L"重置", L"平齿单边"},
        {res::kLangItalian, L"Immagine chiave anteprima", L"Si prega di inserire il codice chiave",
         L"informazione chiave vuota: Unità (0,01 millimetri)", L"larghezza interna:", L"Reset",
         L"Solo lato standard"},
    };
    ShowFiveCutKey();
    for (const LanguageTexts& language : languages) {
        SCOPED_TRACE(language.languageId);
        res::SetUiLanguage(language.languageId);
        pane_->LoadLanguageTexts();
        EXPECT_EQ(Text(L"labelTitle"), language.title);
        EXPECT_EQ(Text(L"labelEnterCode"), language.enterCode);
        EXPECT_EQ(Text(L"labelKeyInfo"), language.keyInfo);
        EXPECT_EQ(Text(L"labelKeySlot"), language.slot);
        EXPECT_EQ(Text(L"buttonReset"), language.reset);
        EXPECT_EQ(Text(L"l_keyType"), language.typeName);
        SaveScreenshot(pane_->GetHWND(),
                       "key_info_language_" + std::to_string(language.languageId) + ".png");
    }
    res::SetUiLanguage(res::kLangItalian);
    pane_->LoadLanguageTexts();
    EXPECT_EQ(Text(L"labelKeyName"), L"nome chiave:");
    EXPECT_EQ(Text(L"labelKeyType"), L"Tipo di:");
    EXPECT_EQ(Text(L"labelKeyLength"), L"lunghezza:");
    EXPECT_EQ(Text(L"labelKeyWidth"), L"larghezza:");
    EXPECT_EQ(Text(L"labelKeyThick"), L"spessore:");
    EXPECT_EQ(Text(L"labelAlienment"), L"posizioni");
}

TEST_F(KeyInfoPane, LanguageBeforeAnyKeyLeavesTheTypeLabelEmpty) {
    res::SetUiLanguage(res::kLangSwedish);
    pane_->LoadLanguageTexts();
    EXPECT_EQ(Text(L"labelKeyType"), L"Nyckeltyp:");
    EXPECT_EQ(Text(L"l_keyType"), L"");
}

}  // namespace
}  // namespace ui_test
