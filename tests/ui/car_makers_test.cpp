#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temp_folder.h"
#include "ui/car_makers.h"

namespace {

// "id|machine name|display name" of each entry.
std::vector<std::wstring> Entries(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> entries;
    for (const CarFactoryEntry& e : ParseCarFactoryLines(lines)) {
        entries.push_back(std::to_wstring(e.id) + L"|" + e.machineName + L"|" + e.displayName);
    }
    return entries;
}

TEST(CarMakers, LinesGiveIdMachineNameAndDisplayNameInFileOrder) {
    // Without ";" the whole value is the display name.
    EXPECT_EQ(Entries({L"12=MAKERA;Maker A", L"7=MAKERB"}),
              (std::vector<std::wstring>{L"12|MAKERA|Maker A", L"7||MAKERB"}));
}

TEST(CarMakers, OddLines) {
    EXPECT_EQ(Entries({
                  L"abc=X;Y",                         // no number: id 0
                  L"no equals sign here",             // no entry at all
                  L"",                                //
                  L"5=A;B;C",                         // only the first ";" divides
                  L"-3=;",                            // negative id, empty names
                  L"8=ABCDEFGHIJKLMNOPQRSTUVWXYZ;x",  // cut to the record field's 19 characters
                  L"9x=FIAT;Fiat",                    // the leading number counts
                  L"99999999999=BIG;Big",             // beyond any id
              }),
              (std::vector<std::wstring>{L"0|X|Y", L"5|A|B;C", L"-3||", L"8|ABCDEFGHIJKLMNOPQRS|x",
                                         L"9|FIAT|Fiat", L"0|BIG|Big"}));
}

TEST(CarMakers, SectionsByLanguageAndTheWholeSectionRead) {
    EXPECT_EQ(CarFactorySection(0), L"carCH");
    for (int index : {1, 3, 8, 12, 14}) {
        EXPECT_EQ(CarFactorySection(index), L"carEN");
    }

    test::TempFolder folder;
    // Far more than a 2048-character buffer would hold: the last makers must not be cut.
    std::string text = "[carCH]\n1=AUDI;奥迪\n[carEN]\n";
    for (int id = 1; id <= 300; ++id) {
        text += std::to_string(id) + "=MAKER" + std::to_string(id) + ";Maker number " +
                std::to_string(id) + "\n";
    }
    text += "[other]\n1=X;Y\n";
    std::ofstream(folder / "carFactory.ini", std::ios::binary) << text;
    std::wstring file = folder.wide() + L"carFactory.ini";

    auto english = ReadCarFactory(file, L"carEN");
    ASSERT_EQ(english.size(), 300u);
    EXPECT_EQ(english.back().id, 300);
    EXPECT_EQ(english.back().displayName, L"Maker number 300");
    auto chinese = ReadCarFactory(file, L"carch");  // names match without regard to case
    ASSERT_EQ(chinese.size(), 1u);
    EXPECT_EQ(chinese[0].displayName, L"奥迪");
    EXPECT_TRUE(ReadCarFactory(file, L"carXX").empty());
    EXPECT_TRUE(ReadCarFactory(folder.wide() + L"missing.ini", L"carEN").empty());
}

}  // namespace
