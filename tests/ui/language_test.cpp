#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"
#include "ui/language.h"

namespace {

TEST(Language, SavedTextAsIndex) {
    struct Case {
        const wchar_t* text;
        int index;
    } cases[] = {
        {L"", kLanguageNone},
        {L"0", 0},  // a saved Chinese is kept
        {L"3", 3},
        {L"14", 14},
        {L"15", kLanguageNone},
        {L"-2", kLanguageNone},
        {L"abc", kLanguageNone},  // no number: the system decides
        {L"12abc", 12},
        {L" 7", 7},
        {L"99999999999999", kLanguageNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseLanguageText(c.text), c.index) << std::wstring(c.text).size();
    }
}

TEST(Language, TableOfIdentifiersAndPictures) {
    const int ids[] = {2052, 1033, 1036, 1040, 1045, 2070, 1034, 1122,
                       1053, 1055, 1033, 1033, 1028, 1033, 1049};
    for (int i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(LanguageIdOf(i), ids[i]) << i;
    }
    EXPECT_EQ(LanguageIdOf(kLanguageNone), 1033);
    EXPECT_EQ(std::wstring(LanguageImagesOf(0).headerBackground), L"top_bg_ch.png");
    EXPECT_EQ(std::wstring(LanguageImagesOf(3).treeButtons), L"treebtn_ita.png");
    EXPECT_EQ(std::wstring(LanguageImagesOf(8).headerBackground), L"top_bg_swe.png");
    for (int english : {1, 2, 4, 12, 14}) {
        EXPECT_EQ(std::wstring(LanguageImagesOf(english).treeButtons), L"treeBtnEn.png");
    }
}

TEST(Language, StartLanguageFromTheSystem) {
    // The languages the table has an option for start in it; Dutch (1043) has none.
    const std::pair<int, int> cases[] = {{2052, 0}, {1053, 8},  {1033, 1}, {1028, 1}, {1031, 1},
                                         {1040, 3}, {1036, 2},  {1034, 6}, {1045, 4}, {1046, 5},
                                         {1055, 9}, {1049, 14}, {1043, 1}};
    for (const auto& [system, index] : cases) {
        EXPECT_EQ(LanguageForSystem(system), index) << system;
    }
}

TEST(Language, LocaleNamesAsLanguageIdentifiers) {
    const std::pair<const char*, int> cases[] = {{"zh_CN.UTF-8", 2052}, {"zh_TW.UTF-8", 1028},
                                                 {"sv_SE", 1053},       {"it_IT@euro", 1040},
                                                 {"pt_BR.UTF-8", 1046}, {"pt_PT", 2070},
                                                 {"en_GB.UTF-8", 1033}, {"C", 1033},
                                                 {"POSIX", 1033},       {"", 1033}};
    for (const auto& [locale, id] : cases) {
        EXPECT_EQ(LanguageIdForLocale(locale), id) << locale;
    }
    ScopedSystemLanguage swedish(1053);
    EXPECT_EQ(SystemDefaultLangId(), 1053);
}

TEST(Language, StoredBesideTheProgram) {
    test::TempFolder folder;
    test::ScopedProgramFolder program(folder);
    EXPECT_EQ(ReadLanguageIndex(), kLanguageNone);
    SaveLanguageIndex(0);
    EXPECT_EQ(ReadLanguageIndex(), 0);
    std::ofstream(folder / "config.ini") << "[key]\nID=-120\n[LanguageKey]\nLanguage=8\n";
    EXPECT_EQ(ReadLanguageIndex(), 8);
    SaveLanguageIndex(3);
    EXPECT_EQ(test::ReadText(folder / "config.ini"),
              "[key]\nID=-120\n[LanguageKey]\nLanguage=3\n");  // other lines kept
    // A config its owner made read-only keeps the language it holds.
    std::filesystem::permissions(folder / "config.ini", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    SaveLanguageIndex(4);
    EXPECT_EQ(ReadLanguageIndex(), 3);
    EXPECT_NE(test::ReadText(folder / "log.bin").find("Cannot store the language"),
              std::string::npos);
}

TEST(Language, TheSameLanguageLeavesTheFileAsItIs) {
    test::TempFolder folder;
    test::ScopedProgramFolder program(folder);
    std::ofstream(folder / "config.ini", std::ios::binary) << "[LanguageKey]\r\nLanguage = 3\r\n";
    SaveLanguageIndex(3);
    EXPECT_EQ(test::ReadText(folder / "config.ini"), "[LanguageKey]\r\nLanguage = 3\r\n");
    SaveLanguageIndex(4);
    EXPECT_EQ(ReadLanguageIndex(), 4);
}

}  // namespace
