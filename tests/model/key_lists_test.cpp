#include <gtest/gtest.h>

#include <cstring>

#include "model/key_lists.h"
#include "model/model_fixture.h"
#include "model/record_builder.h"
#include "platform/text/text.h"

namespace {

using test::Ids;
using test::MakeRecord;

class KeyLists : public test::ModelTest {};

TEST_F(KeyLists, FindCopiesUntilTheFirstMatchOrLeavesTheLast) {
    KeyDataRecord buffer = MakeRecord(1, "untouched");
    FindKeyById(&buffer, -101);
    EXPECT_STREQ(buffer.keyName, "untouched");  // empty list

    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-102, "B"), MakeRecord(-102, "C")};
    EXPECT_EQ(FindKeyById(&buffer, -102), &buffer);
    EXPECT_STREQ(buffer.keyName, "B");
    FindKeyById(&buffer, -999);
    EXPECT_STREQ(buffer.keyName, "C");
    // Only the low 16 bits are stored, so an id beyond them matches nothing.
    FindKeyById(&buffer, -101 - 65536);
    EXPECT_STREQ(buffer.keyName, "C");

    g_KeyDataEdit = {MakeRecord(-105, "E")};
    FindEditKeyById(&buffer, -105);
    EXPECT_STREQ(buffer.keyName, "E");
}

TEST_F(KeyLists, UpsertMovesTheFirstMatchToTheEndAndSaves) {
    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-102, "B"), MakeRecord(-103, "C")};
    UpsertKeyData(MakeRecord(-101, "A2"));
    EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{-102, -103, -101}));
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-102, -103, -101}));

    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-102, "B"), MakeRecord(-101, "A'")};
    UpsertKeyData(MakeRecord(-101, "new"));
    ASSERT_EQ(g_KeyData.size(), 3u);
    EXPECT_STREQ(g_KeyData[1].keyName, "A'");
    EXPECT_STREQ(g_KeyData[2].keyName, "new");

    UpsertKeyDataEdit(MakeRecord(-110, "E"));
    EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), (std::vector<int>{-110}));
}

TEST_F(KeyLists, MarkDeletedKeepsEveryOtherByte) {
    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-101, "A2")};
    KeyDataRecord before = g_KeyData[0];
    MarkKeyDeleted(-101);
    EXPECT_EQ(g_KeyData[0].params.status, KeyStatusDeleted);
    before.params.status = KeyStatusDeleted;
    EXPECT_EQ(std::memcmp(&before, &g_KeyData[0], sizeof before), 0);
    EXPECT_EQ(g_KeyData[1].params.status, KeyStatusLive);
    EXPECT_EQ(ReadRecords("KeyData.u")[0].params.status, KeyStatusDeleted);
}

TEST_F(KeyLists, MarkDeletedSavesEvenWithoutAMatch) {
    g_KeyData = {MakeRecord(-101, "A")};
    MarkKeyDeleted(-999);
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-101}));
}

TEST_F(KeyLists, RemoveEditTakesTheFirstMatchAndSavesEvenWithoutOne) {
    g_KeyDataEdit = {MakeRecord(-101, "A"), MakeRecord(-102, "B"), MakeRecord(-101, "C")};
    RemoveKeyEdit(-101);
    EXPECT_EQ(Ids(g_KeyDataEdit), (std::vector<int>{-102, -101}));
    RemoveKeyEdit(-500);
    EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), (std::vector<int>{-102, -101}));
}

class WideToAnsiTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetAnsiCodePage(0); }
};

TEST_F(WideToAnsiTest, StoresTextAndNulAndLeavesTheRestOfTheField) {
    platform::SetAnsiCodePage(1252);
    char field[16];
    std::memset(field, 'x', sizeof field);
    WideToAnsi(L"ABC", field);
    EXPECT_EQ(std::string(field, 4), std::string("ABC\0", 4));
    EXPECT_EQ(std::string(field + 4, 12), std::string(12, 'x'));
    EXPECT_EQ(AnsiToWide(field), L"ABC");
}

TEST_F(WideToAnsiTest, CutsAtACharacterBoundaryAndAlwaysEndsWithNul) {
    platform::SetAnsiCodePage(936);
    char field[16];
    std::memset(field, 'x', sizeof field);
    // 14 ASCII bytes leave room for one byte only: the two-byte character does not fit.
    WideToAnsi(L"ABCDEFGHIJKLMN\u4E2D", field);
    EXPECT_EQ(std::string(field), "ABCDEFGHIJKLMN");
    EXPECT_EQ(field[15], 'x');
    WideToAnsi(L"ABCDEFGHIJKLM\u4E2D", field);
    EXPECT_EQ(std::string(field, 16), std::string("ABCDEFGHIJKLM\xD6\xD0\0", 16));
    EXPECT_EQ(AnsiToWide(field), L"ABCDEFGHIJKLM\u4E2D");
}

TEST_F(WideToAnsiTest, UnrepresentableCharacterBecomesTheDefaultCharacter) {
    platform::SetAnsiCodePage(1252);
    char field[20] = {};
    WideToAnsi(L"a\u4E2Db\u00E9", field);
    EXPECT_EQ(std::string(field), "a?b\xE9");
}

TEST(AnsiToWideTest, NeverReadsPastAFieldWithoutNul) {
    platform::SetAnsiCodePage(1252);
    struct {
        char field[4];
        char after[4];
    } memory = {{'A', 'B', 'C', 'D'}, {'E', 'F', 'G', 0}};
    EXPECT_EQ(AnsiToWide(memory.field), L"ABCD");
    platform::SetAnsiCodePage(0);
}

}  // namespace
