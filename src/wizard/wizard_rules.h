#pragma once
// What the key wizard's pages show for each key type, apart from any window: the numbering of
// the types, the parameter rows of the key-shape page, the key sides, the items of the side
// combo, the schematic pictures and the cells of the picture sheets.

#include <optional>
#include <string>
#include <vector>

namespace wizard {

// The wizard numbers its eight type buttons 1..8; the stored key type is the same except that
// the wizard's 6 (Channel Track) is stored as 9 (the way back: KeyChoiceOf).
int StoredKeyType(int wizardType);

// The key-shape page shows parameter rows 0..n, each moved down from its preset place.
struct ParamRowLayout {
    int n = -1;
    int step = 0;
};
ParamRowLayout RowLayoutOf(int wizardType);
// How far down from its preset place row `row` lies; none when the row is hidden.
std::optional<int> RowShift(int row, ParamRowLayout layout);

// ShowKeySides modes: side A only, side B only, both.
enum SideMode { kSideA = 0, kSideB = 1, kSidesBoth = 2 };
struct SideVisibility {
    bool a = false;
    bool b = false;
};
// None for a mode that changes nothing.
std::optional<SideVisibility> SidesOfMode(int mode);

// The clamp-offset schematics of the flat page: cells of "step4shiyixiao.png", each of the
// size of the control that shows it.
enum OffsetPicture { kPictureA1, kPictureA2, kPictureB1, kPictureB2, kPictureKeyType };
struct OffsetCell {
    OffsetPicture picture;
    int column;
    int row;
};

// What a pick `sel` in the side combo changes for a key type.
struct EdgeEffect {
    std::optional<int> sideMode;
    // The spaces picture of "step3key.png" (types 3 and 6).
    std::optional<int> step3Picture;
    // Type 3: the schematics of its offset inputs for the side picked (none: unchanged).
    std::vector<OffsetCell> offsetCells;
    // Side-B depth controls of a dimple key shown (true) or hidden.
    std::optional<bool> dimpleSideB;
};
EdgeEffect EdgeEffectOf(int wizardType, int sel);

// The spaces picture for a key type and side: types 3 and 6 have their own for side 1.
int Step3Picture(int wizardType, int edgeSide);

// String ids of the side combo's items for a key type.
std::vector<int> EdgeComboItems(int wizardType);

// A cell of a picture sheet: the source rectangle of picture n in a control of w x h.
//  -1: 4 x 2 cells numbered 1..8 row by row;
//  0, 1: two pictures a row (mode 0 the right one of each pair, 1 the left one);
//  2: the cell in `column` and row n;
//  any other mode: the first cell.
struct SourceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SourceRect&) const = default;
};
SourceRect SpriteSource(int mode, int n, int column, int w, int h);
std::wstring SpriteImage(const std::wstring& fileName, const SourceRect& source);

struct OffsetSchematic {
    std::vector<OffsetCell> cells;
    bool panels[3] = {};  // "stepKeyType1" .. "stepKeyType3" shown
};
// None for the types without clamp offsets (1, 2, 8).
std::optional<OffsetSchematic> OffsetSchematicOf(int wizardType);
// The side-A (or side-B) pair of schematics that an offset option shows. Type 3 offers only
// the side-A inputs, which its save reads for either key side; they show the key's side.
std::vector<OffsetCell> OffsetOptionCells(int wizardType, int edgeSide, bool sideB);

// Clamp side options the recommended clamp of kind 2 does not offer (0..3 = A..D).
std::vector<int> DisabledViceSides(int storedType, int edgeSide);

}  // namespace wizard
