#include <gtest/gtest.h>

#include <limits>

#include "platform/text/text.h"

namespace {

TEST(CodePage, FollowsTheLocaleAsWindowsChoosesIt) {
    struct Case {
        const char* locale;
        int codePage;
    };
    for (Case c : {Case{"zh_CN.UTF-8", 936}, Case{"zh_TW.UTF-8", 950}, Case{"zh_HK", 950},
                   Case{"ja_JP.UTF-8", 932}, Case{"ko_KR", 949}, Case{"ru_RU.UTF-8", 1251},
                   Case{"pl_PL", 1250}, Case{"el_GR", 1253}, Case{"tr_TR", 1254},
                   Case{"he_IL", 1255}, Case{"ar_EG", 1256}, Case{"lt_LT", 1257},
                   Case{"vi_VN", 1258}, Case{"th_TH", 874}, Case{"en_US.UTF-8", 1252},
                   Case{"sv_SE", 1252}, Case{"C", 1252}, Case{"POSIX", 1252}, Case{"", 1252}}) {
        EXPECT_EQ(platform::CodePageForLocale(c.locale), c.codePage) << c.locale;
    }
}

TEST(CodePage, ConvertsBothWaysAndBoundsTheOutput) {
    EXPECT_EQ(platform::WideToMultiByte(1252, L"Key-01"), "Key-01");
    EXPECT_EQ(platform::WideToMultiByte(936, L"\u5B9D\u9A6C"), "\xB1\xA6\xC2\xED");
    EXPECT_EQ(platform::MultiByteToWide(936, "\xB1\xA6\xC2\xED"), L"\u5B9D\u9A6C");
    // A cut never splits a two-byte character.
    EXPECT_EQ(platform::WideToMultiByte(936, L"A\u5B9D", 2), "A");
    EXPECT_EQ(platform::WideToMultiByte(1251, L"\u0416\u00E9", 5), "\xC6?");
    // A lone lead byte forms no character, nor does FF in GBK.
    EXPECT_EQ(platform::MultiByteToWide(936, "A\xB1"), L"A\uFFFD");
    EXPECT_EQ(platform::MultiByteToWide(936, "\x80\xFF"), L"\u20AC\uFFFD");
    // The five bytes 1252 leaves unassigned stand for the C1 controls, as on Windows.
    const std::string gaps = "\x81\x8D\x8F\x90\x9D";
    EXPECT_EQ(platform::MultiByteToWide(1252, gaps), L"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(platform::WideToMultiByte(1252, platform::MultiByteToWide(1252, gaps)), gaps);
}

TEST(Utf8, RoundTripsAndReplacesBrokenSequences) {
    std::wstring text = L"Audi \u5B9D\u9A6C \U0001F511";
    EXPECT_EQ(platform::Utf8ToWide(platform::WideToUtf8(text)), text);
    EXPECT_EQ(platform::Utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(platform::Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong '/'
}

TEST(LeadingInt, ReadsTheLeadingDecimalLikeWtoi) {
    EXPECT_EQ(platform::LeadingInt(L"  -105 "), -105);
    EXPECT_EQ(platform::LeadingInt(L"12abc"), 12);
    EXPECT_EQ(platform::LeadingInt(L"+7"), 7);
    EXPECT_EQ(platform::LeadingInt(L"-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(platform::LeadingInt(L"2147483647"), std::numeric_limits<int>::max());
    for (const wchar_t* none :
         {L"", L"abc", L"-", L"- 5", L"2147483648", L"99999999999999999999"}) {
        EXPECT_EQ(platform::LeadingInt(none), std::nullopt) << none;
    }
}

TEST(Format, TakesTheSystemsPrintfFlags) {
    EXPECT_EQ(platform::Format(L"%05d", -101), L"-0101");
    EXPECT_EQ(platform::Format(L"% d|%d", 5, -5), L" 5|-5");
    EXPECT_EQ(platform::Format(L"Update failed.(%d)", 240), L"Update failed.(240)");
    EXPECT_EQ(platform::Format(L"%s-%.2d", std::wstring(L"\u5B9D"), 7), L"\u5B9D-07");
}

TEST(AsciiUpper, RaisesOnlyAsciiLetters) {
    EXPECT_EQ(platform::AsciiUpper(L"hu66-äé中z"), L"HU66-äé中Z");
}

}  // namespace
