#pragma once
// Dialog templates: a dialog's frame, font and controls with their places in dialog units, from
// which Dialog lays the window out.

#include <string>
#include <vector>

#include "platform/afx/geometry.h"

namespace afx {

enum class ControlKind {
    Static,
    GroupBox,
    Edit,
    ComboBox,
    PushButton,
    OwnerDrawButton,
    ProgressBar,
    TreeView,
    ListView,
};

// The control styles that the templates use.
enum ControlStyle : unsigned {
    kMultiLine = 1u << 0,
    kReadOnly = 1u << 1,
    kVScroll = 1u << 2,
    kBorder = 1u << 3,
    kAutoHScroll = 1u << 4,
    kNoWordWrap = 1u << 5,
    kEndEllipsis = 1u << 6,
    kDefaultButton = 1u << 7,
    kNoColumnHeader = 1u << 8,  // list view
    kSingleSelection = 1u << 9,
    kReportView = 1u << 10,
    kHasLines = 1u << 11,  // tree view
    kShowSelectionAlways = 1u << 12,
    kHidden = 1u << 13,
};

// Ids that Windows gives the standard buttons and the answer of a dialog closed by them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// The id of controls that are never addressed (statics without a role).
inline constexpr int kIdStatic = -1;

struct ControlTemplate {
    int id = kIdStatic;
    ControlKind kind = ControlKind::Static;
    std::wstring text;
    Rect dialogUnits;  // x, y, x + cx, y + cy
    unsigned style = 0;
};

enum class DialogFrame {
    Child,         // a child window without a frame of its own
    Popup,         // a popup without caption or frame
    ModalCaption,  // a popup with a caption and a close box
};

struct DialogTemplate {
    int id = 0;
    DialogFrame frame = DialogFrame::Popup;
    std::wstring caption;
    Font font;
    int width = 0;  // dialog units
    int height = 0;
    std::vector<ControlTemplate> controls;
    bool visible = true;  // a modeless dialog shows at creation

    const ControlTemplate* Find(int controlId) const;
};

// A template rectangle in dialog units given as x, y, cx, cy.
constexpr Rect Dlu(int x, int y, int cx, int cy) {
    return Rect{x, y, x + cx, y + cy};
}

// The dialog base units of a font: the average character width and the character height in
// pixels, which dialog units are quarters and eighths of.
struct BaseUnits {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// Windows' base units for a dialog font at 96 dots per inch. The Windows dialog fonts have their
// Windows metrics; any other font is measured here as Windows measures it: the average width of
// the 52 Latin letters, rounded as Windows rounds it, and the font's height.
BaseUnits DialogBaseUnits(const Font& font);

// Dialog units to pixels, each value rounded on its own as Windows' MulDiv does.
int DluToPixelsX(int x, BaseUnits units);
int DluToPixelsY(int y, BaseUnits units);
// A control's place: x, y, cx and cy are converted separately, as CreateDialog does.
Rect MapDialogRect(const Rect& dialogUnits, BaseUnits units);

}  // namespace afx
