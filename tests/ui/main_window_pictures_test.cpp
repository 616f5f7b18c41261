// Pictures of the main window with a sample key database, one per language of the string
// tables, written into the build tree for looking at.

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "draw/sample_keys.h"
#include "main_window_fixture.h"
#include "model/key_files.h"
#include "ui/key_info.h"
#include "ui_fixture.h"

namespace {

struct SampleEntry {
    const char* name;
    uint32_t makerId;  // of the build's sample "carFactory.ini"
    const char* makerName;
    size_t sample;  // which drawn sample key
};

KeyDataRecord Record(const SampleEntry& entry, int16_t id) {
    static const std::vector<drawtest::SampleKey> samples = drawtest::SampleKeys();
    KeyDataRecord record{};
    record.params = samples[entry.sample % samples.size()].key;
    KeyParams& key = record.params;
    key.status = KeyStatusLive;
    // The blank's data that the drawing samples leave out, so that the pane shows a whole key.
    key.keyLength = 3800;
    key.thickness = 200;
    key.clampType = 1;
    key.clampSide = 1;
    std::strncpy(record.keyName, entry.name, sizeof record.keyName - 1);
    std::memcpy(record.params.keyName, record.keyName, sizeof record.keyName);
    record.keyId = id;
    record.makerId = entry.makerId;
    std::strncpy(record.makerName, entry.makerName, sizeof record.makerName - 1);
    std::strncpy(record.modelName, "Sample", sizeof record.modelName - 1);
    return record;
}

class MainWindowPictures : public ui_test::MainWindowTest,
                           public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowPictures, WithASampleKeyDatabase) {
    const SampleEntry finished[] = {
        {"HU66_U", 1, "AUDI", 0},   {"HU66P_U", 4, "VW", 1},     {"TOY43_U", 5, "TOYOTA", 0},
        {"HU92_U", 2, "BMW", 3},    {"FO21_U", 15, "FORD", 1},   {"HU101_U", 15, "FORD", 7},
        {"SIP22_U", 21, "FIAT", 2}, {"NE66_U", 26, "VOLVO", 4},  {"VA2_U", 25, "RENAULT", 0},
        {"HON66_U", 6, "HONDA", 6}, {"HY22_U", 13, "HYUNDAI", 5}};
    const SampleEntry unfinished[] = {{"HU162T_U", 1, "AUDI", 5}, {"TOY48_U", 5, "TOYOTA", 3}};
    KeyDataList keys;
    KeyDataList drafts;
    int16_t id = -101;
    for (const SampleEntry& entry : finished) {
        keys.push_back(Record(entry, id--));
    }
    for (const SampleEntry& entry : unfinished) {
        drafts.push_back(Record(entry, id--));
    }
    SaveKeyData(keys);
    SaveKeyDataEdit(drafts);
    int language = GetParam();
    WriteConfig("[LanguageKey]\nLanguage=" + std::to_string(language) + "\n");

    ASSERT_NE(Open(), nullptr);
    CLeftTreeView& panel = frame_->GetTreeView();
    EXPECT_EQ(panel.GetTotalKeys(), 13);
    for (int maker : {1, 5, 15}) {
        panel.GetTreeCtrl().Expand(panel.FindMakerItem(maker));
    }
    panel.GetTreeCtrl().SelectItem(panel.FindKeyItem(kImageKey, -101));
    ASSERT_NE(frame_->m_pKeyInfo, nullptr);
    for (int depth : {3, 1, 5, 2}) {
        frame_->m_pKeyInfo->AddDepth(depth);
    }
    ui_test::Settle();

    std::string path = ui_test::SaveScreenshot(frame_->GetHWND(),
                                               "main_window_" + std::to_string(language) + ".png");
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(1005, 690));
}

// Chinese, English, Italian and Swedish.
INSTANTIATE_TEST_SUITE_P(Languages, MainWindowPictures, ::testing::Values(0, 1, 3, 8));

}  // namespace
