#pragma once
// The key records as they lie in the key files, in exported key files and (the parameter
// block) on the machine's drive. They are wire formats: every byte has its place, all
// integers are little-endian, all sizes are in 0.01 mm.

#include <bit>
#include <cstddef>
#include <cstdint>

enum KeyType : int32_t {
    KeyTypeStandardSingle = 1,
    KeyTypeStandardDouble = 2,
    KeyTypeTwoTrackExternal = 3,
    KeyTypeFourTrackExternal = 4,
    KeyTypeFourTrackInternal = 5,
    KeyTypeDimpleTrack = 7,
    KeyTypeDimple = 8,
    KeyTypeChannelTrack = 9,
};

enum KeyStatus : int32_t {
    KeyStatusDeleted = 0,
    KeyStatusLive = -1,
};

#pragma pack(push, 1)

struct KeyParams {
    int32_t status;          // KeyStatus
    int32_t statusMarks[3];  // -1 with status on a finished save; for the machine only
    uint8_t flats[32];       // cut-bottom width per cut, group 1 first
    char keyName[16];        // ANSI, NUL-terminated
    uint8_t reserved1[16];
    int8_t groupCount;
    uint8_t reserved2;
    int8_t clampType;  // 1 or 2
    int8_t clampSide;  // 1..4, side A..D
    int8_t groupCountCopy;
    uint8_t reserved3;  // import refuses a record where it is not 0
    uint8_t reserved4[2];
    uint8_t locating;  // 0 shoulder, 1 tip
    uint8_t edgeSide;  // 0 or 1; mirrors the profile
    int16_t internalDepth;
    int32_t clampPicture;
    int32_t depthCount;  // doubled when the key has two groups
    int32_t spaceCount;
    int32_t internalWidth;
    int32_t keyWidth;
    int32_t depths[32];  // bitting digit n means depths[n]
    char depthLabels[128];
    int32_t spaces[32];  // cut positions, sorted within each group
    char spaceLabels[64];
    int16_t edgeDistances[4];  // dimple types: side A twice, side B twice
    uint8_t reserved5[40];
    int32_t dimpleMarks[3];  // -1, -2, 100 for the dimple types; for the machine only
    uint8_t reserved6[12];
    int8_t cutsPerGroup[8];
    int8_t groupModes[8];
    int8_t depthsPerGroup[8];
    int32_t keyType;  // KeyType
    int32_t keyLength;
    int32_t thickness;
    int32_t reserved7;
    char modelName[16];  // ANSI, NUL-terminated
};

struct KeyBlankEntry {
    uint32_t keyId;  // the owner's id sign-extended from 16 bits; 0 when unfinished
    uint16_t side;
    uint16_t finished;  // 1 finished, 0 unfinished
    int16_t offsetA;
    int16_t offsetB;
    uint32_t reserved[3];
};

struct KeyDataRecord {
    char keyName[16];  // ANSI, NUL-terminated, the same as params.keyName
    int16_t keyId;
    uint16_t reserved1;     // import refuses a record where it is not 0
    uint8_t reserved2[16];  // an edited record keeps the bytes it had
    KeyParams params;
    char makerName[20];  // ANSI, NUL-terminated
    uint32_t makerId;
    char modelName[20];  // ANSI, NUL-terminated
    uint8_t blankCount;  // valid entries of blanks
    uint8_t pad[3];
    KeyBlankEntry blanks[2];
};

#pragma pack(pop)

static_assert(sizeof(KeyParams) == 688);
static_assert(offsetof(KeyParams, status) == 0);
static_assert(offsetof(KeyParams, statusMarks) == 4);
static_assert(offsetof(KeyParams, flats) == 16);
static_assert(offsetof(KeyParams, keyName) == 48);
static_assert(offsetof(KeyParams, reserved1) == 64);
static_assert(offsetof(KeyParams, groupCount) == 80);
static_assert(offsetof(KeyParams, reserved2) == 81);
static_assert(offsetof(KeyParams, clampType) == 82);
static_assert(offsetof(KeyParams, clampSide) == 83);
static_assert(offsetof(KeyParams, groupCountCopy) == 84);
static_assert(offsetof(KeyParams, reserved3) == 85);
static_assert(offsetof(KeyParams, reserved4) == 86);
static_assert(offsetof(KeyParams, locating) == 88);
static_assert(offsetof(KeyParams, edgeSide) == 89);
static_assert(offsetof(KeyParams, internalDepth) == 90);
static_assert(offsetof(KeyParams, clampPicture) == 92);
static_assert(offsetof(KeyParams, depthCount) == 96);
static_assert(offsetof(KeyParams, spaceCount) == 100);
static_assert(offsetof(KeyParams, internalWidth) == 104);
static_assert(offsetof(KeyParams, keyWidth) == 108);
static_assert(offsetof(KeyParams, depths) == 112);
static_assert(offsetof(KeyParams, depthLabels) == 240);
static_assert(offsetof(KeyParams, spaces) == 368);
static_assert(offsetof(KeyParams, spaceLabels) == 496);
static_assert(offsetof(KeyParams, edgeDistances) == 560);
static_assert(offsetof(KeyParams, reserved5) == 568);
static_assert(offsetof(KeyParams, dimpleMarks) == 608);
static_assert(offsetof(KeyParams, reserved6) == 620);
static_assert(offsetof(KeyParams, cutsPerGroup) == 632);
static_assert(offsetof(KeyParams, groupModes) == 640);
static_assert(offsetof(KeyParams, depthsPerGroup) == 648);
static_assert(offsetof(KeyParams, keyType) == 656);
static_assert(offsetof(KeyParams, keyLength) == 660);
static_assert(offsetof(KeyParams, thickness) == 664);
static_assert(offsetof(KeyParams, reserved7) == 668);
static_assert(offsetof(KeyParams, modelName) == 672);

static_assert(sizeof(KeyBlankEntry) == 24);
static_assert(offsetof(KeyBlankEntry, keyId) == 0);
static_assert(offsetof(KeyBlankEntry, side) == 4);
static_assert(offsetof(KeyBlankEntry, finished) == 6);
static_assert(offsetof(KeyBlankEntry, offsetA) == 8);
static_assert(offsetof(KeyBlankEntry, offsetB) == 10);
static_assert(offsetof(KeyBlankEntry, reserved) == 12);

static_assert(sizeof(KeyDataRecord) == 820);
static_assert(offsetof(KeyDataRecord, keyName) == 0);
static_assert(offsetof(KeyDataRecord, keyId) == 16);
static_assert(offsetof(KeyDataRecord, reserved1) == 18);
static_assert(offsetof(KeyDataRecord, reserved2) == 20);
static_assert(offsetof(KeyDataRecord, params) == 36);
static_assert(offsetof(KeyDataRecord, makerName) == 724);
static_assert(offsetof(KeyDataRecord, makerId) == 744);
static_assert(offsetof(KeyDataRecord, modelName) == 748);
static_assert(offsetof(KeyDataRecord, blankCount) == 768);
static_assert(offsetof(KeyDataRecord, pad) == 769);
static_assert(offsetof(KeyDataRecord, blanks) == 772);

// The records are copied byte for byte into and out of files; the host must lay integers out
// as the files do.
static_assert(std::endian::native == std::endian::little);
