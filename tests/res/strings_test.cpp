#include <gtest/gtest.h>

#include <set>

#include "res/string_table.h"
#include "res/strings.h"

namespace {

using res::FindString;

std::set<int> IdsOf(std::span<const res::StringEntry> table) {
    std::set<int> ids;
    for (const auto& e : table)
        ids.insert(e.id);
    return ids;
}

// Lookup is a binary search: a table out of order or with a repeated id loses texts.
TEST(StringTables, AreSortedAndAgreeOnTheirIds) {
    const std::span<const res::StringEntry> tables[] = {
        res::ChineseStrings(), res::EnglishStrings(), res::ItalianStrings(), res::SwedishStrings()};
    for (auto table : tables) {
        for (size_t i = 1; i < table.size(); ++i)
            EXPECT_LT(table[i - 1].id, table[i].id);
        for (const auto& e : table)
            EXPECT_NE(std::wstring(e.text), L"") << e.id;
    }
    // The dimple-and-track side labels exist in Chinese only.
    auto chinese = IdsOf(res::ChineseStrings());
    chinese.erase(250);
    chinese.erase(251);
    EXPECT_EQ(chinese, IdsOf(res::EnglishStrings()));
    EXPECT_EQ(chinese, IdsOf(res::ItalianStrings()));
    EXPECT_EQ(chinese, IdsOf(res::SwedishStrings()));
}

TEST(StringTables, HoldTheQuotedTextsAsTheyStand) {
    EXPECT_EQ(FindString(207, 1033), L"Delect key");
    EXPECT_EQ(FindString(150, 1053), L"tandard enkelsidig");
    EXPECT_EQ(FindString(132, 1040), L"informazione chiave vuota: Unità (0,01 millimetri)");
    EXPECT_EQ(FindString(155, 2052), L"打孔带蛇形槽");
}

TEST(StringTables, PickATableByLanguageIdentifier) {
    EXPECT_EQ(res::TableLanguage(2052), res::kLangChinese);
    EXPECT_EQ(res::TableLanguage(1028), res::kLangChinese);  // Chinese, Taiwan
    EXPECT_EQ(res::TableLanguage(1040), res::kLangItalian);
    EXPECT_EQ(res::TableLanguage(2064), res::kLangItalian);  // Italian, Switzerland
    EXPECT_EQ(res::TableLanguage(1053), res::kLangSwedish);
    EXPECT_EQ(res::TableLanguage(2077), res::kLangSwedish);  // Swedish, Finland
    for (int other : {1033, 2057, 1036, 1045, 2070, 1034, 1122, 1055, 1049, 0}) {
        EXPECT_EQ(res::TableLanguage(other), res::kLangEnglish) << other;
    }
    EXPECT_EQ(FindString(179, 1049), L"Close");
    EXPECT_EQ(FindString(999, 1033), std::nullopt);
}

TEST(StringTables, LoadStringReadsTheUiLanguageAndKeepsTextItLacks) {
    res::SetUiLanguage(1040);
    EXPECT_EQ(res::LoadString(212), L"Annulla");
    std::wstring kept = L"圆心数：";
    EXPECT_FALSE(res::LoadString(250, kept));
    EXPECT_EQ(kept, L"圆心数：");
    res::SetUiLanguage(2052);
    EXPECT_TRUE(res::LoadString(251, kept));
    EXPECT_EQ(kept, L"槽齿数：");
    EXPECT_EQ(res::LoadString(9999), L"");
    res::SetUiLanguage(res::kLangEnglish);
}

}  // namespace
