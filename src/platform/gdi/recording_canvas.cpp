#include "platform/gdi/recording_canvas.h"

namespace platform {

void RecordingCanvas::Erase() {
    ops_.push_back(RecordedOp{OpKind::Clear, {}, {}, {}, State()});
}

void RecordingCanvas::DrawLine(Point from, Point to) {
    ops_.push_back(RecordedOp{OpKind::Line, from, to, {}, State()});
}

void RecordingCanvas::DrawEllipse(Point topLeft, Point bottomRight) {
    ops_.push_back(RecordedOp{OpKind::Ellipse, topLeft, bottomRight, {}, State()});
}

void RecordingCanvas::DrawText(Point topLeft, std::wstring_view text) {
    ops_.push_back(RecordedOp{OpKind::Text, topLeft, {}, std::wstring(text), State()});
}

}  // namespace platform
