#pragma once
// A canvas that draws nothing and keeps every primitive with the state it was drawn in, so
// that tests can check a drawing coordinate by coordinate.

#include <string>
#include <vector>

#include "platform/gdi/canvas.h"

namespace platform {

enum class OpKind { Clear, Line, Ellipse, Text };

struct RecordedOp {
    OpKind kind = OpKind::Clear;
    // Line: from and to; Ellipse: the box's top-left and bottom-right; Text: from is the
    // top-left corner.
    Point from;
    Point to;
    std::wstring text;
    DrawState state;
};

class RecordingCanvas final : public Canvas {
  public:
    const std::vector<RecordedOp>& Ops() const { return ops_; }

  protected:
    void Erase() override;
    void DrawLine(Point from, Point to) override;
    void DrawEllipse(Point topLeft, Point bottomRight) override;
    void DrawText(Point topLeft, std::wstring_view text) override;

  private:
    std::vector<RecordedOp> ops_;
};

}  // namespace platform
