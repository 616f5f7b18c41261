#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/fs/fs.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

std::span<const uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string Content(const std::filesystem::path& path) {
    auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
}

TEST(Folders, ProgramFolderIsTheExecutablesWithATrailingSeparator) {
    std::wstring folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/');
    EXPECT_TRUE(std::filesystem::exists(platform::ToPath(folder + L"test_platform")));

    platform::OverrideProgramFolder(L"/somewhere/");
    EXPECT_EQ(platform::ProgramFolder(), L"/somewhere/");
    platform::OverrideProgramFolder(L"");
    EXPECT_EQ(platform::ProgramFolder(), folder);

    EXPECT_EQ(platform::ToPath(platform::CurrentFolder()), std::filesystem::current_path());
}

TEST(ReplaceFile, IsWhollyOldOrWhollyNew) {
    test::TempFolder folder;
    auto target = folder / "data.u";
    auto staging = folder / "data_Bak.u";
    ASSERT_TRUE(platform::ReplaceFile(target, staging, AsBytes("first")));
    ASSERT_TRUE(platform::ReplaceFile(target, staging, AsBytes("second")));
    EXPECT_EQ(Content(target), "second");
    EXPECT_FALSE(std::filesystem::exists(staging));

    std::string error;
    {
        test::ScopedFileSizeLimit limit(3);
        EXPECT_FALSE(platform::ReplaceFile(target, staging, AsBytes("third"), &error));
    }
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(Content(target), "second");
    EXPECT_FALSE(std::filesystem::exists(staging));
    EXPECT_FALSE(std::filesystem::exists(folder / "data_Bak.u.part"));

    EXPECT_FALSE(platform::ReplaceFile(folder / "no" / "x", folder / "no" / "y", AsBytes("x")));
}

TEST(ReplaceFile, StagingLeftLongerByAKilledSaveBringsNothingBack) {
    test::TempFolder folder;
    auto staging = folder / "data_Bak.u";
    std::ofstream(staging) << "old records of an earlier save";
    // The bytes are written under the staging name with ".part" added.
    std::ofstream(folder / "data_Bak.u.part") << "records of a save killed while writing";
    ASSERT_TRUE(platform::ReplaceFile(folder / "data.u", staging, AsBytes("new")));
    EXPECT_EQ(Content(folder / "data.u"), "new");
}

TEST(ReadWholeFile, ReadsEverythingOrNothing) {
    test::TempFolder folder;
    std::string big(200000, 'k');
    ASSERT_TRUE(platform::ReplaceFile(folder / "big", folder / "big.tmp", AsBytes(big)));
    EXPECT_EQ(Content(folder / "big"), big);
    EXPECT_FALSE(platform::ReadWholeFile(folder / "missing"));
    EXPECT_FALSE(platform::ReadWholeFile(folder.path()));
}

}  // namespace
