#include "log/log.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/fs/fs.h"
#include "support/fake_clock.h"
#include "support/temp_folder.h"

namespace test {
namespace {

using namespace std::chrono_literals;

const std::regex kLine(R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d:\d{3}\|([ \-0-9.]+)\](.*)\r)");

class LogTest : public ::testing::Test {
  protected:
    LogTest() : programFolder_(folder_), clockScope_(&clock_) {
        WriteLog(L"start");  // later lines then have a previous line to measure from
    }

    std::string Content() const { return ReadText(folder_ / "log.bin"); }

    // Every line, split at LF; each must carry the whole format.
    std::vector<std::smatch> Lines(std::string& content) const {
        content = Content();
        std::vector<std::smatch> lines;
        size_t begin = 0;
        for (size_t end; (end = content.find('\n', begin)) != std::string::npos; begin = end + 1) {
            std::smatch match;
            auto first = content.cbegin() + static_cast<ptrdiff_t>(begin);
            auto last = content.cbegin() + static_cast<ptrdiff_t>(end);
            EXPECT_TRUE(std::regex_match(first, last, match, kLine)) << std::string(first, last);
            lines.push_back(match);
        }
        EXPECT_EQ(begin, content.size()) << "the last line has no line end";
        return lines;
    }

    std::string LastElapsed() {
        std::string content;
        auto lines = Lines(content);
        return lines.empty() ? "" : lines.back()[1].str();
    }

    TempFolder folder_;
    ScopedProgramFolder programFolder_;
    FakeClock clock_;
    platform::ScopedClock clockScope_;
};

TEST(LogFirstLine, ShowsADashInTheElapsedField) {
    // A fresh process: no line has been written before this one.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ok = false;
            {  // std::exit runs no destructor of this block: the folder goes first
                TempFolder folder;
                ScopedProgramFolder scope(folder);
                WriteLog(L"first");
                ok = std::regex_match(ReadText(folder / "log.bin"),
                                      std::regex(R"(\[[^|]{23}\|    -   \]first\r\n)"));
            }
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(LogTest, ElapsedFieldCountsSecondsUpToTenAndDashesBeyond) {
    clock_.Advance(500ms);
    WriteLog(L"half a second");
    EXPECT_EQ(LastElapsed(), "0.500000");
    clock_.Advance(10s);
    WriteLog(L"exactly ten");
    EXPECT_EQ(LastElapsed(), "10.000000");
    clock_.Advance(10s + 1us);
    WriteLog(L"just over ten");
    EXPECT_EQ(LastElapsed(), "   --   ");
    clock_.Advance(12s);
    WriteLog(L"twelve");
    EXPECT_EQ(LastElapsed(), "   --   ");
    clock_.Advance(12345us);
    WriteLog(L"short");
    EXPECT_EQ(LastElapsed(), "0.012345");
    // Lines at the two ends of a test clock's range: a gap, not an overflow.
    const std::chrono::nanoseconds quarterRange(int64_t{1} << 62);
    clock_.Advance(-quarterRange);
    WriteLog(L"far back");
    EXPECT_EQ(LastElapsed(), "   --   ");
    clock_.Advance(quarterRange);
    clock_.Advance(quarterRange);
    WriteLog(L"far ahead");
    EXPECT_EQ(LastElapsed(), "   --   ");
}

TEST_F(LogTest, LineCarriesLocalTimeWithMillisecondsAfterAColon) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 1;
    local.tm_hour = 8;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    auto target = std::chrono::system_clock::from_time_t(std::mktime(&local)) + 7ms;
    clock_.SetWallStart(target - std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                     clock_.Now().time_since_epoch()));
    EXPECT_EQ(LocalTimeStamp(), L"2026-01-01 08:05:03:007");

    WriteLog(L"> :  06 00 01 00 D1 D6");
    std::string content = Content();
    EXPECT_NE(content.find("[2026-01-01 08:05:03:007|"), std::string::npos);
    EXPECT_TRUE(content.ends_with("]> :  06 00 01 00 D1 D6\r\n"));
}

TEST(LogFormat, HexDumpsAndNumbers) {
    const uint8_t bytes[] = {0x06, 0x00, 0xD1, 0xab, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, 3, 0), L"06 00 D1");
    EXPECT_EQ(BytesToHex(bytes, 2, 3), L"AB FF");
    EXPECT_EQ(BytesToHex(bytes, 0, 2), L"");
    EXPECT_EQ(IntToString(-2147483647 - 1), L"-2147483648");
    EXPECT_EQ(IntToString(8), L"8");
}

TEST_F(LogTest, NonAsciiTextMakesOneWholeUtf8Line) {
    WriteLog(L"Aggiornamento non riuscito.(3) 更新失败 ü");
    WriteLog(L"next");
    std::string content;
    auto lines = Lines(content);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1][2].str(),
              "Aggiornamento non riuscito.(3) \xE6\x9B\xB4\xE6\x96\xB0\xE5\xA4\xB1\xE8\xB4\xA5 "
              "\xC3\xBC");
    EXPECT_EQ(lines[2][2].str(), "next");
}

TEST_F(LogTest, DeletedLogIsCreatedAgainAndAnUnwritableOneIsSkipped) {
    std::filesystem::remove(folder_ / "log.bin");
    WriteLog(L"again");
    std::string content;
    auto lines = Lines(content);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0][2].str(), "again");

    TempFolder other;
    platform::OverrideProgramFolder(other.wide() + L"missing/");
    WriteLog(L"lost");  // silently
    platform::OverrideProgramFolder(folder_.wide());
    WriteLog(L"kept");
    EXPECT_EQ(Lines(content).size(), 2u);
}

TEST_F(LogTest, LinesFromManyThreadsNeverInterleave) {
    constexpr int kThreads = 8;
    constexpr int kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            std::wstring text = L"thread " + std::to_wstring(t) + L" " + std::wstring(200, L'x');
            for (int i = 0; i < kLines; ++i) {
                WriteLog(text);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::string content;
    EXPECT_EQ(Lines(content).size(), 1u + kThreads * kLines);
}

}  // namespace
}  // namespace test
