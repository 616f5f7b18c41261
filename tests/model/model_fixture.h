#pragma once
// A program folder and a current folder of the test's own, and empty key lists.

#include <gtest/gtest.h>

#include <vector>

#include "model/key_files.h"
#include "model/key_lists.h"
#include "platform/fs/fs.h"
#include "support/temp_folder.h"

namespace test {

class ModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_KeyData.clear();
        g_KeyDataEdit.clear();
    }
    // The lists' storage goes too: a later test's forks would copy it.
    void TearDown() override {
        g_KeyData = KeyDataList();
        g_KeyDataEdit = KeyDataList();
    }

    // The key lists lie beside the program; "config.ini" with the id counter in the current
    // folder. Two folders, so that a file written to the wrong one is seen.
    std::filesystem::path File(const std::string& name) const { return program_ / name; }
    std::wstring Config() const { return current_.wide() + L"config.ini"; }

    void WriteFile(const std::string& name, std::span<const uint8_t> bytes) const {
        WriteBytes(File(name), bytes);
    }

    void WriteRecords(const std::string& name, const KeyDataList& records) const {
        WriteFile(name, RecordBytes(records));
    }

    KeyDataList ReadRecords(const std::string& name) const {
        return ParseRecords(platform::ReadWholeFile(File(name)).value_or(std::vector<uint8_t>{}));
    }

    TempFolder program_;
    TempFolder current_;
    ScopedProgramFolder programFolder_{program_};
    ScopedCurrentFolder currentFolder_{current_};
};

inline std::vector<int> Ids(const KeyDataList& records) {
    std::vector<int> ids;
    for (const KeyDataRecord& record : records) {
        ids.push_back(record.keyId);
    }
    return ids;
}

}  // namespace test
