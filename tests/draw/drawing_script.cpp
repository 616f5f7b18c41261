#include "draw/drawing_script.h"

#include <algorithm>
#include <cstring>

#include "draw/key_drawer.h"
#include "platform/text/text.h"

namespace drawtest {
namespace {

using platform::Rgb;

std::string PenName(const platform::Pen& pen) {
    if (pen.style == platform::PenStyle::Dot) {
        return pen.color == Rgb(20, 20, 20) ? "stop" : "dot?";
    }
    if (pen.color == Rgb(200, 200, 200)) {
        return "guide";
    }
    if (pen.color == Rgb(0, 0, 0)) {
        return "outline";
    }
    if (pen.color == Rgb(140, 140, 140)) {
        return "blade";
    }
    if (pen.color == Rgb(150, 150, 150)) {
        return "end";
    }
    return "pen?";
}

std::string TextKind(const platform::DrawState& s) {
    if (s.font.height == 12 && s.textColor == Rgb(0, 0, 0)) {
        return "value";
    }
    if (s.font.height == 15 && s.textColor == Rgb(255, 50, 0)) {
        return "code*";
    }
    if (s.font.height == 15 && s.textColor == Rgb(0, 50, 255)) {
        return "code";
    }
    return "text?";
}

std::string At(platform::Point p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

}  // namespace

std::vector<std::string> Script(const platform::RecordingCanvas& canvas) {
    std::vector<std::string> script;
    for (const platform::RecordedOp& op : canvas.Ops()) {
        switch (op.kind) {
            case platform::OpKind::Clear:
                script.push_back("clear");
                break;
            case platform::OpKind::Line:
                script.push_back("line " + At(op.from) + "-" + At(op.to) + " " +
                                 PenName(op.state.pen));
                break;
            case platform::OpKind::Ellipse:
                script.push_back("ellipse " + At(op.from) + "-" + At(op.to));
                break;
            case platform::OpKind::Text:
                script.push_back(TextKind(op.state) + " " + At(op.from) + " " +
                                 platform::WideToUtf8(op.text));
                break;
        }
    }
    return script;
}

std::vector<std::string> Only(const std::vector<std::string>& script, const std::string& prefix) {
    std::vector<std::string> kept;
    std::copy_if(script.begin(), script.end(), std::back_inserter(kept),
                 [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    return kept;
}

bool InOrder(const std::vector<std::string>& script, const std::vector<std::string>& want) {
    auto it = script.begin();
    for (const std::string& w : want) {
        it = std::find(it, script.end(), w);
        if (it == script.end()) {
            return false;
        }
        ++it;
    }
    return true;
}

std::vector<std::string> Draw(const KeyParams& key, const std::vector<int32_t>& bitting) {
    platform::RecordingCanvas canvas;
    CKeyDrawer drawer(canvas);
    drawer.DrawKey(key, bitting);
    std::vector<std::string> script = Script(canvas);
    if (!script.empty() && script.front() == "clear") {
        script.erase(script.begin());
    }
    return script;
}

KeyParams MakeKey(int keyType, std::vector<int32_t> spaces, int flat, std::vector<int32_t> depths,
                  int keyWidth) {
    KeyParams key;
    std::memset(&key, 0, sizeof key);
    key.keyType = keyType;
    key.keyWidth = keyWidth;
    key.groupCount = 1;
    key.cutsPerGroup[0] = static_cast<int8_t>(spaces.size());
    key.spaceCount = static_cast<int32_t>(spaces.size());
    for (size_t i = 0; i < spaces.size(); ++i) {
        key.spaces[i] = spaces[i];
        key.flats[i] = static_cast<uint8_t>(flat);
    }
    key.depthCount = static_cast<int32_t>(depths.size());
    for (size_t i = 0; i < depths.size(); ++i) {
        key.depths[i] = depths[i];
    }
    return key;
}

}  // namespace drawtest
