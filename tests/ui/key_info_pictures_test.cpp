// One key of every type shown in the pane with part of its bitting typed on the keypad: the
// canvas holds exactly what CKeyDrawer draws, and a picture of the pane goes into the build tree
// ("key_info_<type>.png") for people to look at.
#include <gtest/gtest.h>

#include "draw/sample_keys.h"
#include "key_info_fixture.h"
#include "platform/text/text.h"
#include "res/strings.h"

namespace ui_test {
namespace {

using KeyInfoPictures = KeyInfoTest;

TEST_F(KeyInfoPictures, EveryKeyTypeShowsItsDrawingDataAndTypedBitting) {
    int index = 0;
    for (drawtest::SampleKey sample : drawtest::SampleKeys()) {
        SCOPED_TRACE(sample.name);
        KeyParams& key = sample.key;
        key.keyLength = 3800 + 100 * index;
        key.thickness = 200 + 10 * index;
        key.internalWidth = key.keyType == KeyTypeChannelTrack ? 250 : 0;
        key.clampType = static_cast<int8_t>(1 + index % 2);
        key.clampSide = static_cast<int8_t>(1 + index % 4);
        key.clampPicture = index % 3;
        const int16_t id = static_cast<int16_t>(-101 - index);
        g_KeyData.push_back(Record(id, key, "KEY" + std::to_string(key.keyType) + "_U"));
        pane_->ShowKey(id);

        std::vector<int32_t> typed;
        const int keypad = key_info::KeypadSize(key);
        for (int32_t digit : sample.bitting) {
            typed.push_back(std::min(digit, keypad));
            Press(typed.back());
        }
        EXPECT_EQ(pane_->Bitting(), typed);
        EXPECT_EQ(Shown(), Drawn(key, typed));
        EXPECT_EQ(Text(L"l_keyType"), res::LoadString(key_info::KeyTypeStringId(key.keyType)));
        EXPECT_EQ(Text(L"l_keyName"),
                  platform::Utf8ToWide("KEY" + std::to_string(key.keyType) + "_U"));
        SaveScreenshot(pane_->GetHWND(), "key_info_" + sample.name + ".png");
        ++index;
    }
    EXPECT_EQ(index, 8);
}

}  // namespace
}  // namespace ui_test
