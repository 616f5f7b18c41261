#include "wizard/key_load.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>

#include "wizard/key_record.h"
#include "wizard/wizard_kit.h"

namespace {

using test::DefinedPages;
using test::PagesFor;
using test::PassAllSteps;

bool SameBytes(const KeyDataRecord& a, const KeyDataRecord& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// The pages after a load, shown as the window shows them for the loaded choice and side.
WizardInputs ShownAsLoaded(const LoadedKey& loaded) {
    WizardInputs inputs = loaded.inputs;
    const WizardInputs pages = PagesFor(inputs.keyType, std::max(inputs.picks[kComboEdge], 0));
    for (int edit = 0; edit <= kWizardEditCount; ++edit) {
        inputs.edits[edit].shown = pages.edits[edit].shown;
    }
    return inputs;
}

TEST(KeyLoad, SaveLoadSaveKeepsEveryRecord) {
    for (int type = 1; type <= 8; ++type) {
        for (int side = 0; side <= (type == 2 ? 0 : 1); ++side) {
            for (int locating = 0; locating <= 1; ++locating) {
                for (bool offsetsFirst : {true, false}) {
                    SCOPED_TRACE(testing::Message()
                                 << "type " << type << " side " << side << " locating " << locating
                                 << " offsets " << offsetsFirst);
                    WizardInputs pages = DefinedPages(type, side, locating, offsetsFirst);
                    KeyParams key = PassAllSteps(pages, {});
                    const KeyDataRecord saved = BuildFinishedRecord(pages, key, -101);
                    auto loaded = LoadKeyRecord(saved, true);
                    ASSERT_TRUE(loaded.has_value());
                    EXPECT_EQ(loaded->inputs.Text(kEditName), L"AB12");
                    EXPECT_TRUE(
                        SameBytes(BuildFinishedRecord(loaded->inputs, loaded->params, 0), saved));
                    // Every step passed again from what the pages show.
                    WizardInputs shown = ShownAsLoaded(*loaded);
                    EXPECT_TRUE(SameBytes(
                        BuildFinishedRecord(shown, PassAllSteps(shown, loaded->params), 0), saved));

                    const KeyDataRecord unfinished = BuildUnfinishedRecord(pages, key, L"CD", -102);
                    auto reloaded = LoadKeyRecord(unfinished, false);
                    ASSERT_TRUE(reloaded.has_value());
                    EXPECT_TRUE(SameBytes(
                        BuildUnfinishedRecord(reloaded->inputs, reloaded->params, L"CD", 0),
                        unfinished));
                }
            }
        }
    }
}

TEST(KeyLoad, TipChannelKeyShowsItsSpacesAscendingAndItsSideAsPicked) {
    WizardInputs pages = DefinedPages(6, 0, 1, true);
    pages.useDefaultClamp = true;
    const KeyDataRecord saved = BuildFinishedRecord(pages, PassAllSteps(pages, {}), -101);
    EXPECT_EQ(saved.params.edgeSide, 1);
    EXPECT_EQ(saved.blankCount, 0);
    EXPECT_EQ(saved.params.spaces[0], 1200);
    auto loaded = LoadKeyRecord(saved, true);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->inputs.picks[kComboEdge], 0);
    EXPECT_EQ(loaded->inputs.lists[kListA].texts, test::Texts({400, 800, 1200}));
    EXPECT_EQ(loaded->inputs.lists[kListC].texts, test::Texts({40, 80, 120}));
}

TEST(KeyLoad, UnfinishedKeyBeforeItsSpacesComesBackAsItWas) {
    WizardInputs pages = DefinedPages(4, 1, 0, true);
    KeyParams key{};
    key.keyType = KeyTypeFourTrackExternal;
    key = CheckKeyShape(pages, key).params;
    const KeyDataRecord draft = BuildUnfinishedRecord(pages, key, L"CD", -102);
    auto loaded = LoadKeyRecord(draft, false);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(loaded->inputs.lists[kListA].texts.empty());
    EXPECT_TRUE(SameBytes(BuildUnfinishedRecord(loaded->inputs, loaded->params, L"CD", 0), draft));
}

TEST(KeyLoad, RecordsTheWizardCouldNotMakeAreRefused) {
    WizardInputs pages = DefinedPages(8, 1, 0, true);
    const KeyDataRecord good = BuildFinishedRecord(pages, PassAllSteps(pages, {}), -101);
    const std::function<void(KeyParams&)> faults[] = {
        [](KeyParams& p) { p.keyType = 0; },
        [](KeyParams& p) { p.keyType = 6; },
        [](KeyParams& p) { p.keyType = 12; },
        [](KeyParams& p) { p.locating = 2; },
        [](KeyParams& p) { p.edgeSide = 2; },
        [](KeyParams& p) { p.groupCount = 3; },
        [](KeyParams& p) { p.cutsPerGroup[0] = p.cutsPerGroup[2] = 40; },
        [](KeyParams& p) { p.cutsPerGroup[0] = p.cutsPerGroup[2] = 1; },
        // 2 x 15 + 2 x 15 cuts overrun the 32 spaces.
        [](KeyParams& p) {
            p.cutsPerGroup[0] = p.cutsPerGroup[1] = p.cutsPerGroup[2] = p.cutsPerGroup[3] = 15;
        },
        [](KeyParams& p) { p.depthsPerGroup[0] = 9; },
        [](KeyParams& p) {
            p.keyType = 7;
            p.groupCount = 3;
            p.depthsPerGroup[2] = 0;
        },
    };
    for (size_t i = 0; i < std::size(faults); ++i) {
        KeyDataRecord bad = good;
        faults[i](bad.params);
        EXPECT_FALSE(LoadKeyRecord(bad, true).has_value()) << i;
    }
    KeyDataRecord bad = good;
    bad.blankCount = 3;
    EXPECT_FALSE(LoadKeyRecord(bad, true).has_value());
    EXPECT_TRUE(LoadKeyRecord(good, true).has_value());
}

// Sets a field to its type's minimum or maximum.
using ExtremeField = std::function<void(KeyDataRecord&, bool high)>;
template <typename Field>
ExtremeField Extreme(Field field) {
    return [field](KeyDataRecord& record, bool high) {
        auto& value = field(record);
        using T = std::remove_reference_t<decltype(value)>;
        value = high ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
    };
}

// An imported record may hold anything that passes the import and the load. Under UBSan an
// overflow on the way from the record through the pages' checks stops the run.
TEST(KeyLoad, ExtremeFieldValuesNeitherOverflowNorWrap) {
    const ExtremeField fields[] = {
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.keyType; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.locating; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.edgeSide; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.groupCount; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.cutsPerGroup[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.cutsPerGroup[1]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.depthsPerGroup[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.keyLength; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.keyWidth; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.thickness; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.internalWidth; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.internalDepth; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.edgeDistances[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.spaces[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.flats[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.params.depths[0]; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.blankCount; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.blanks[0].offsetA; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.blanks[0].offsetB; }),
        Extreme([](KeyDataRecord & r) -> auto& { return r.blanks[1].offsetA; }),
    };
    for (int type = 1; type <= 8; ++type) {
        WizardInputs pages = DefinedPages(type, type == 2 ? 0 : 1, 0, true);
        const KeyDataRecord good = BuildFinishedRecord(pages, PassAllSteps(pages, {}), -101);
        for (const ExtremeField& field : fields) {
            for (bool high : {false, true}) {
                KeyDataRecord record = good;
                field(record, high);
                for (bool finished : {true, false}) {
                    if (auto loaded = LoadKeyRecord(record, finished)) {
                        const WizardInputs shown = ShownAsLoaded(*loaded);
                        for (int step = 0; step <= 4; ++step) {
                            CheckLeaveStep(shown, loaded->params, step);
                        }
                    }
                }
            }
        }
    }

    // Neither wrapped nor wrongly refused where no sanitizer is there to tell.
    WizardInputs pages = DefinedPages(4, 1, 0, true);
    const KeyDataRecord good = BuildFinishedRecord(pages, PassAllSteps(pages, {}), -101);
    KeyDataRecord narrow = good;
    narrow.params.keyWidth = std::numeric_limits<int32_t>::min();
    auto loaded = LoadKeyRecord(narrow, true);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->inputs.Text(kEditOffsetA1), L"-2147484348");  // the offset is 350
    KeyDataRecord hollow = good;
    hollow.params.internalWidth = std::numeric_limits<int32_t>::min();
    loaded = LoadKeyRecord(hollow, true);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(CheckKeyShape(ShownAsLoaded(*loaded), loaded->params).Passed());
}

}  // namespace
