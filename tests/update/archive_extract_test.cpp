// Extraction of archives made here and now by 7zz, one per method the decoder must read,
// and of archives that are damaged, empty or missing.

#include "update/archive_extract.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace test {
namespace {

// Bytes that compress somewhat and hold x86 and ARM call patterns for the branch filters.
std::vector<uint8_t> SampleBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        switch (random() % 8) {
            case 0:
                bytes[i] = 0xE8;  // x86 call
                break;
            case 1:
                bytes[i] = 0xEB;  // ARM BL, in the fourth byte of a word
                break;
            default:
                bytes[i] = static_cast<uint8_t>(random() % 16);
        }
    }
    return bytes;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    return platform::ReadWholeFile(path).value_or(std::vector<uint8_t>{});
}

class Extraction : public ::testing::Test {
  protected:
    // Makes archive name of the given files (relative to the folder) with 7zz's switches.
    std::filesystem::path MakeArchive(const std::string& name, const std::string& files,
                                      const std::string& switches) {
        std::string command = "cd '" + folder_.path().string() + "' && 7zz a -bd -bso0 -bsp0 " +
                              switches + " '" + name + "' " + files;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return folder_ / name;
    }
    std::string Methods(const std::filesystem::path& archive) {
        std::string listing = (folder_ / "listing.txt").string();
        std::string command = "7zz l -slt '" + archive.string() + "' > '" + listing + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadText(listing);
    }
    int Extract(const std::filesystem::path& archive, const std::filesystem::path& output,
                const std::string& command = "x") {
        Extract7zArguments arguments{"7zDec", command, archive.string(),
                                     platform::Utf8ToWide(output.string())};
        return Extract7z(arguments, error_);
    }

    TempFolder folder_;
    std::filesystem::path output_ = folder_ / "sdcard.bin";
    std::wstring error_ = L"as it was";
};

struct Method {
    const char* name;
    const char* switches;
    const char* listed;
};

class ExtractionByMethod : public Extraction, public ::testing::WithParamInterface<Method> {};

TEST_P(ExtractionByMethod, UnpacksTheFileWhateverTheOutputIsCalled) {
    auto content = SampleBytes(300000, 1);
    WriteBytes(folder_ / "a.bin", content);
    auto archive = MakeArchive("temp.7z", "a.bin", GetParam().switches);
    ASSERT_NE(Methods(archive).find(GetParam().listed), std::string::npos);
    auto output = folder_ / "any name.dat";
    ASSERT_EQ(Extract(archive, output), 0) << platform::WideToUtf8(error_);
    EXPECT_EQ(ReadFile(output), content);
    EXPECT_EQ(error_, L"as it was");
}

INSTANTIATE_TEST_SUITE_P(Methods, ExtractionByMethod,
                         ::testing::Values(Method{"LZMA", "-m0=LZMA", "LZMA:"},
                                           Method{"LZMA2", "-m0=LZMA2", "LZMA2:"},
                                           Method{"BCJ", "-mf=BCJ -m0=LZMA", "BCJ LZMA:"},
                                           Method{"BCJ2", "-mf=BCJ2 -m0=LZMA", "BCJ2"},
                                           Method{"ARM", "-mf=ARM -m0=LZMA2", "ARM LZMA2:"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The earlier item is the longer: none of its bytes may outlast the last one's.
TEST_F(Extraction, LastFileItemWinsWholeAndFoldersWriteNothing) {
    std::filesystem::create_directory(folder_ / "d");
    WriteBytes(folder_ / "d" / "a.bin", SampleBytes(7000, 2));
    WriteBytes(folder_ / "d" / "b.bin", SampleBytes(5000, 3));
    auto archive = MakeArchive("two.7z", "d", "-m0=LZMA2");
    auto listing = Methods(archive);
    ASSERT_LT(listing.find("a.bin"), listing.find("b.bin"));
    ASSERT_EQ(Extract(archive, output_), 0);
    EXPECT_EQ(ReadFile(output_), SampleBytes(5000, 3));
}

TEST_F(Extraction, ArchiveWithoutFileItemsFailsAndLeavesNoOldImage) {
    WriteBytes(output_, std::vector<uint8_t>{1, 2, 3});
    std::filesystem::create_directory(folder_ / "empty");
    auto folderOnly = MakeArchive("folder.7z", "empty", "");
    EXPECT_EQ(Extract(folderOnly, output_), 1);
    EXPECT_FALSE(std::filesystem::exists(output_));

    WriteBytes(folder_ / "z.bin", std::vector<uint8_t>{9});
    auto emptied = MakeArchive("emptied.7z", "z.bin", "");
    ASSERT_EQ(std::system(("7zz d -bd -bso0 '" + emptied.string() + "' z.bin").c_str()), 0);
    WriteBytes(output_, std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(Extract(emptied, output_), 1);
    EXPECT_FALSE(std::filesystem::exists(output_));
    EXPECT_EQ(error_, L"as it was");
}

TEST_F(Extraction, MissingArchiveOrUnknownCommand) {
    EXPECT_EQ(Extract(folder_ / "temp.7z", output_), 1);
    EXPECT_EQ(error_, L"can not open input file");
    WriteBytes(folder_ / "a.bin", std::vector<uint8_t>{1});
    auto archive = MakeArchive("temp.7z", "a.bin", "");
    EXPECT_EQ(Extract(archive, output_, "e"), 1);
    EXPECT_EQ(error_, L"incorrect command");
}

TEST_F(Extraction, TruncatedArchiveFailsWithoutText) {
    WriteBytes(folder_ / "a.bin", SampleBytes(100000, 4));
    auto archive = MakeArchive("temp.7z", "a.bin", "-m0=LZMA2");
    std::filesystem::resize_file(archive, std::filesystem::file_size(archive) / 2);
    EXPECT_EQ(Extract(archive, output_), 1);
    EXPECT_EQ(error_, L"as it was");
}

TEST_F(Extraction, DataFailingTheirChecksumAreACrcError) {
    auto content = SampleBytes(20000, 5);
    WriteBytes(folder_ / "a.bin", content);
    auto archive = MakeArchive("temp.7z", "a.bin", "-m0=Copy");
    auto bytes = ReadFile(archive);
    bytes[32 + 1000] ^= 0x01;  // inside the stored data, behind the signature header
    WriteBytes(archive, bytes);
    EXPECT_EQ(Extract(archive, output_), 1);
    EXPECT_EQ(error_, L"CRC error");
}

TEST_F(Extraction, MethodsTheDecoderLacksAreReportedAsUnsupported) {
    WriteBytes(folder_ / "a.bin", SampleBytes(1000, 6));
    EXPECT_EQ(Extract(MakeArchive("arm64.7z", "a.bin", "-mf=ARM64"), output_), 1);
    EXPECT_EQ(error_, L"decoder doesn't support this archive");
    error_.clear();
    EXPECT_EQ(Extract(MakeArchive("locked.7z", "a.bin", "-psecret"), output_), 1);
    EXPECT_EQ(error_, L"decoder doesn't support this archive");
}

TEST_F(Extraction, OutputThatCannotBeMadeOrWritten) {
    WriteBytes(folder_ / "a.bin", SampleBytes(100000, 7));
    auto archive = MakeArchive("temp.7z", "a.bin", "");
    EXPECT_EQ(Extract(archive, folder_ / "no such folder" / "sdcard.bin"), 1);
    EXPECT_EQ(error_, L"can not open output file");
    {
        ScopedFileSizeLimit limit(1000);
        EXPECT_EQ(Extract(archive, output_), 1);
    }
    EXPECT_EQ(error_, L"can not write output file");
}

}  // namespace
}  // namespace test
