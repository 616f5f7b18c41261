#include "platform/afx/test_dialog.h"

namespace afx_test {

using afx::ControlKind;
using afx::Dlu;

afx::DialogTemplate TestTemplate(afx::DialogFrame frame) {
    return afx::DialogTemplate{
        900,
        frame,
        L"Test",
        afx::Font{},
        300,
        200,
        {
            {kTree, ControlKind::TreeView, L"", Dlu(0, 0, 100, 100), 0},
            {kList, ControlKind::ListView, L"", Dlu(100, 0, 100, 100),
             afx::kNoColumnHeader | afx::kReportView | afx::kSingleSelection},
            {kCombo, ControlKind::ComboBox, L"", Dlu(200, 0, 80, 12), 0},
            {kProgress, ControlKind::ProgressBar, L"", Dlu(0, 110, 200, 8), 0},
            {kNotes, ControlKind::Edit, L"", Dlu(0, 120, 100, 40),
             afx::kMultiLine | afx::kReadOnly | afx::kVScroll | afx::kBorder},
            {kStatus, ControlKind::Static, L"ready", Dlu(0, 170, 100, 9),
             afx::kNoWordWrap | afx::kEndEllipsis},
            {kStart, ControlKind::OwnerDrawButton, L"Start", Dlu(200, 120, 60, 20), 0},
            {kPlain, ControlKind::PushButton, L"Plain", Dlu(200, 150, 50, 14), 0},
            {afx::kIdStatic, ControlKind::Static, L"steps", Dlu(110, 120, 80, 30), 0},
        }};
}

}  // namespace afx_test
