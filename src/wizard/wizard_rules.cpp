#include "wizard/wizard_rules.h"

#include "platform/text/text.h"

namespace wizard {

namespace {

constexpr int kChannelTrack = 6;
constexpr int kStoredChannelTrack = 9;

}  // namespace

int StoredKeyType(int wizardType) {
    return wizardType == kChannelTrack ? kStoredChannelTrack : wizardType;
}

ParamRowLayout RowLayoutOf(int wizardType) {
    switch (wizardType) {
        case 1:
        case 2:
            return {2, 30};
        case 8:
            return {3, 18};
        case 3:
        case 4:
        case 5:
            return {4, 8};
        case 6:
        case 7:
            return {6, 0};
        default:
            return {};
    }
}

std::optional<int> RowShift(int row, ParamRowLayout layout) {
    if (row > layout.n) {
        return std::nullopt;
    }
    // With four rows or more below it the locating row keeps its place.
    if (row == 0 && layout.n >= 4) {
        return 0;
    }
    return (row + 1) * layout.step;
}

std::optional<SideVisibility> SidesOfMode(int mode) {
    switch (mode) {
        case kSideA:
            return SideVisibility{true, false};
        case kSideB:
            return SideVisibility{false, true};
        case kSidesBoth:
            return SideVisibility{true, true};
        default:
            return std::nullopt;
    }
}

int Step3Picture(int wizardType, int edgeSide) {
    if (edgeSide == 1 && wizardType == 3) {
        return 9;
    }
    if (edgeSide == 1 && wizardType == kChannelTrack) {
        return 10;
    }
    return wizardType;
}

EdgeEffect EdgeEffectOf(int wizardType, int sel) {
    EdgeEffect effect;
    switch (wizardType) {
        case 1:
        case 3:
        case 6:
        case 8:
            // The dimple key's second side is the pair of sides A and B.
            effect.sideMode = sel == 1 && wizardType == 8 ? kSidesBoth : sel;
            if (wizardType == 3 || wizardType == kChannelTrack) {
                effect.step3Picture = Step3Picture(wizardType, sel);
            }
            if (wizardType == 3) {
                effect.offsetCells = OffsetOptionCells(wizardType, sel, false);
            }
            effect.dimpleSideB = wizardType == 8 && sel == 1;
            break;
        case 2:
            effect.sideMode = kSideA;
            break;
        case 4:
        case 5:
            effect.sideMode = sel == 0 ? kSideA : kSidesBoth;
            break;
        case 7:
            effect.sideMode = kSidesBoth;
            break;
        default:
            break;
    }
    return effect;
}

std::vector<int> EdgeComboItems(int wizardType) {
    switch (wizardType) {
        case 1:
        case 3:
        case 6:
        case 7:
            return {220, 221};
        case 2:
            return {222};
        case 4:
        case 5:
            return {222, 223};
        case 8:
            return {134, 135};
        default:
            return {};
    }
}

SourceRect SpriteSource(int mode, int n, int column, int w, int h) {
    if (mode == -1) {
        return n <= 4 ? SourceRect{(n - 1) * w, 0, n * w, h}
                      : SourceRect{(n - 5) * w, h, (n - 4) * w, 2 * h};
    }
    if (mode == 0 || mode == 1) {
        const int row = (n - 1) / 2;
        const int pairColumn = n % 2 == 1 ? 0 : 2;
        const int col = pairColumn + (mode == 0 ? 1 : 0);
        return {col * w, row * h, (col + 1) * w, (row + 1) * h};
    }
    if (mode == 2) {
        return {column * w, n * h, (column + 1) * w, (n + 1) * h};
    }
    return {0, 0, w, h};
}

std::wstring SpriteImage(const std::wstring& fileName, const SourceRect& source) {
    return platform::Format(L"file='%s' source='%d,%d,%d,%d'", fileName, source.left, source.top,
                            source.right, source.bottom);
}

std::optional<OffsetSchematic> OffsetSchematicOf(int wizardType) {
    auto four = [](int rowA, int rowB) {
        return std::vector<OffsetCell>{{kPictureA1, 0, rowA},
                                       {kPictureA2, 1, rowA},
                                       {kPictureB1, 0, rowB},
                                       {kPictureB2, 1, rowB}};
    };
    switch (wizardType) {
        case 3:
            // Side A, the side picked first.
            return OffsetSchematic{OffsetOptionCells(wizardType, 0, false), {false, true, false}};
        case 4:
            return OffsetSchematic{{{kPictureKeyType, 0, 7}}, {true, false, false}};
        case 5:
            return OffsetSchematic{four(2, 3), {false, true, true}};
        case 6:
            return OffsetSchematic{four(4, 5), {false, true, true}};
        case 7:
            return OffsetSchematic{{{kPictureA1, 0, 6}, {kPictureA2, 1, 6}, {kPictureB1, 1, 7}},
                                   {false, true, true}};
        default:
            return std::nullopt;
    }
}

std::vector<OffsetCell> OffsetOptionCells(int wizardType, int edgeSide, bool sideB) {
    if (sideB) {
        return {{kPictureB1, 0, 1}, {kPictureB2, 1, 1}};
    }
    int row = 0;
    if (wizardType == 7) {
        row = 6;
    } else if (wizardType == 3 && edgeSide != 1) {
        row = 1;
    }
    return {{kPictureA1, 0, row}, {kPictureA2, 1, row}};
}

std::vector<int> DisabledViceSides(int storedType, int edgeSide) {
    if (storedType == 4) {
        return {1, 2};
    }
    if (storedType == 3) {
        return {edgeSide != 0 ? 2 : 1};
    }
    return {};
}

}  // namespace wizard
