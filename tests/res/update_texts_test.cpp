#include "res/update_texts.h"

#include <gtest/gtest.h>

namespace {

using res::FindUpdateText;

TEST(UpdateTexts, AColumnByLanguageIndexWithEnglishForEveryOther) {
    EXPECT_EQ(FindUpdateText(0, 40), L"开始在线升级");
    EXPECT_EQ(FindUpdateText(3, 40), L"Aggiornamento in linea");
    EXPECT_EQ(FindUpdateText(8, 40), L"Uppdatera Online");
    for (int index : {1, 2, 4, 5, 6, 7, 9, 10, 12, 14, 15}) {
        EXPECT_EQ(FindUpdateText(index, 40), L"Update Online") << index;
    }
    EXPECT_EQ(FindUpdateText(1, 0), std::nullopt);
    EXPECT_EQ(FindUpdateText(1, res::kUpdateTextCount + 1), std::nullopt);
}

// The English column has no file-creation and clamp texts: the tool keeps what it held. Every
// other column has every text.
TEST(UpdateTexts, EnglishLacksTheFileAndClampTexts) {
    for (int number : {3, 5, 6, 7, 22, 23, 24}) {
        EXPECT_EQ(FindUpdateText(1, number), std::nullopt) << number;
    }
    for (int number = 1; number <= res::kUpdateTextCount; ++number) {
        for (int index : {0, 3, 8}) {
            EXPECT_NE(FindUpdateText(index, number), std::nullopt) << index << ' ' << number;
        }
        if (number >= 22 && number <= 24) {
            continue;
        }
        if (number == 3 || (number >= 5 && number <= 7)) {
            continue;
        }
        EXPECT_NE(FindUpdateText(1, number), std::nullopt) << number;
    }
}

TEST(UpdateTexts, QuotedTextsStandAsTheyAre) {
    EXPECT_EQ(FindUpdateText(1, 4), L"Update success. (%d m %d s) ");
    auto italianSteps = FindUpdateText(3, 29);
    ASSERT_TRUE(italianSteps);
    EXPECT_EQ(italianSteps->find(L'\n'), std::wstring::npos);  // "N" where the others break
    EXPECT_NE(italianSteps->find(L" N2. Accendere"), std::wstring::npos);
}

}  // namespace
