#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/profile/profile.h"
#include "support/temp_folder.h"

namespace {

class Profile : public ::testing::Test {
  protected:
    void Write(const std::string& text) const { std::ofstream(folder_ / "a.ini") << text; }
    std::string Read() const { return test::ReadText(folder_ / "a.ini"); }
    test::TempFolder folder_;
    std::wstring file_ = folder_.wide() + L"a.ini";
};

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(platform::ReadProfileString(file_, L"key", L"ID", L"dflt"), L"dflt");
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"ID", -100), -100);
    Write("[other]\nID=5\n[key]\nName=x\n");
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"ID", -100), -100);
    EXPECT_EQ(platform::ReadProfileInt(file_, L"none", L"ID", 7), 7);
    EXPECT_TRUE(platform::ReadProfileSection(file_, L"none").empty());
}

TEST_F(Profile, NamesMatchWithoutCaseAndNumbersReadLikeWin32) {
    Write("[Key]\r\n  id = -105 \r\nA=12abc\r\nB=abc\r\nC=+7\r\nD=\"quoted; text\"\r\n");
    EXPECT_EQ(platform::ReadProfileInt(file_, L"KEY", L"ID", 0), -105);
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"a", 0), 12);
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"B", 99), 0);
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"C", 0), 7);
    EXPECT_EQ(platform::ReadProfileString(file_, L"key", L"D", L""), L"quoted; text");
}

TEST_F(Profile, WriteChangesOneLineAndKeepsEveryOther) {
    Write("; settings\n[LanguageKey]\nLanguage=3\n\n[key]\nID=-101\nOther=a;b\n");
    ASSERT_TRUE(platform::WriteProfileString(file_, L"KEY", L"id", L"-102"));
    EXPECT_EQ(Read(), "; settings\n[LanguageKey]\nLanguage=3\n\n[key]\nid=-102\nOther=a;b\n");
    ASSERT_TRUE(platform::WriteProfileString(file_, L"LanguageKey", L"New", L"1"));
    EXPECT_EQ(Read(),
              "; settings\n[LanguageKey]\nLanguage=3\nNew=1\n\n[key]\nid=-102\nOther=a;b\n");
    ASSERT_TRUE(platform::WriteProfileString(file_, L"Server", L"Address", L"127.0.0.1"));
    EXPECT_EQ(platform::ReadProfileString(file_, L"server", L"address", L""), L"127.0.0.1");
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"ID", 0), -102);
}

TEST_F(Profile, WriteKeepsCrLfFilesCrLfAndCreatesMissingFiles) {
    Write("[a]\r\nx=1\r\n");
    platform::WriteProfileString(file_, L"a", L"y", L"2");
    EXPECT_EQ(Read(), "[a]\r\nx=1\r\ny=2\r\n");
    Write("[a]\r\nx=1");  // a last line without its end is ended first
    platform::WriteProfileString(file_, L"a", L"y", L"2");
    EXPECT_EQ(Read(), "[a]\r\nx=1\r\ny=2\r\n");
    std::wstring fresh = folder_.wide() + L"new.ini";
    ASSERT_TRUE(platform::WriteProfileString(fresh, L"key", L"ID", L"-101"));
    EXPECT_EQ(platform::ReadProfileInt(fresh, L"key", L"ID", 0), -101);
    EXPECT_FALSE(platform::WriteProfileString(folder_.wide() + L"no/such.ini", L"a", L"b", L"c"));
}

TEST_F(Profile, FifoInPlaceOfTheFileIsUnreadableAndNeverReplaced) {
    // Opening it blocking would hang the reader until a writer came.
    ASSERT_EQ(::mkfifo((folder_ / "a.ini").c_str(), 0600), 0);
    EXPECT_EQ(platform::ReadProfileInt(file_, L"key", L"ID", -100), -100);
    EXPECT_FALSE(platform::WriteProfileString(file_, L"key", L"ID", L"-101"));
    EXPECT_TRUE(std::filesystem::is_fifo(folder_ / "a.ini"));
}

TEST_F(Profile, SectionListsItsLinesWhole) {
    Write("[carEN]\n1=BMW;BMW\n; comment\n\n2=Audi;Audi Group\n[carCH]\n1=x;y\n");
    EXPECT_EQ(platform::ReadProfileSection(file_, L"CAREN"),
              (std::vector<std::wstring>{L"1=BMW;BMW", L"2=Audi;Audi Group"}));
}

}  // namespace
