#include "draw/sample_keys.h"

#include <algorithm>

#include "draw/drawing_script.h"

namespace drawtest {
namespace {

// Positions first, first + step, ... for count cuts.
std::vector<int32_t> Positions(int first, int step, int count) {
    std::vector<int32_t> spaces;
    for (int i = 0; i < count; ++i) {
        spaces.push_back(first + step * i);
    }
    return spaces;
}

std::vector<int32_t> Joined(std::vector<int32_t> a, const std::vector<int32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void SetGroups(KeyParams& key, int groups, std::initializer_list<int> cuts) {
    key.groupCount = static_cast<int8_t>(groups);
    int g = 0;
    for (const int c : cuts) {
        key.cutsPerGroup[g++] = static_cast<int8_t>(c);
    }
}

}  // namespace

std::vector<SampleKey> SampleKeys() {
    std::vector<SampleKey> samples;
    const std::vector<int32_t> standardDepths = {800, 730, 660, 590, 520, 450};

    samples.push_back(
        {"1_standard_single", MakeKey(1, Positions(350, 380, 6), 60, standardDepths), {3, 1, 5}});
    KeyParams doubleSided = MakeKey(2, Positions(300, 300, 8), 50, {780, 700, 620, 540}, 860);
    samples.push_back({"2_standard_double", doubleSided, {1, 4, 2, 3}});

    samples.push_back({"3_two_track_external",
                       MakeKey(3, Positions(400, 400, 6), 50, {600, 500, 400, 300}),
                       {1, 3, 2}});

    KeyParams external = MakeKey(4, Joined(Positions(350, 400, 5), Positions(550, 400, 5)), 60,
                                 {800, 700, 600, 500, 0, 0, 0, 0}, 1000);
    SetGroups(external, 2, {5, 5});
    samples.push_back({"4_four_track_external", external, {1, 2, 3, 4, 2, 1}});

    KeyParams internal = MakeKey(5, Joined(Positions(350, 400, 5), Positions(550, 400, 5)), 60,
                                 {300, 250, 200, 150, 0, 0, 0, 0}, 1000);
    SetGroups(internal, 2, {5, 5});
    samples.push_back({"5_four_track_internal", internal, {4, 3, 2, 1, 2, 3}});

    KeyParams dimpleTrack = MakeKey(7, Joined(Positions(400, 400, 6), Positions(300, 400, 6)), 50,
                                    {100, 80, 60, 400, 330, 260, 190}, 1000);
    SetGroups(dimpleTrack, 2, {6, 0, 6});
    dimpleTrack.depthsPerGroup[0] = 3;
    dimpleTrack.depthsPerGroup[2] = 4;
    dimpleTrack.edgeDistances[0] = 650;
    for (int k = 12; k < 18; ++k) {
        dimpleTrack.flats[k] = 50;
    }
    samples.push_back({"7_dimple_track", dimpleTrack, {2, 4, 1}});

    KeyParams dimple = MakeKey(
        8, Joined(Joined(Positions(350, 400, 6), Positions(350, 400, 6)), Positions(550, 400, 5)),
        0, {}, 1100);
    SetGroups(dimple, 3, {6, 6, 5});
    dimple.edgeDistances[0] = 300;
    dimple.edgeDistances[3] = 800;
    samples.push_back({"8_dimple", dimple, {}});

    KeyParams channel = MakeKey(9, Positions(400, 400, 6), 60, {500, 420, 340, 260});
    channel.internalDepth = 250;
    samples.push_back({"9_channel_track", channel, {2, 4}});
    // The keypad of the key pane offers the first group's depths.
    for (SampleKey& sample : samples) {
        KeyParams& key = sample.key;
        if (key.depthsPerGroup[0] == 0) {
            key.depthsPerGroup[0] = static_cast<int8_t>(
                std::count_if(key.depths, key.depths + 15, [](int32_t d) { return d != 0; }));
        }
    }
    return samples;
}

}  // namespace drawtest
