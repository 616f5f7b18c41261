#pragma once
// Turns a recorded drawing into short readable lines ("line 40,30-40,256 stop",
// "code* 76,256 0", "value 72,55 400", "ellipse 30,88-50,108") so that tests can state a whole
// drawing, or the part they care about, and read the difference when it fails.

#include <string>
#include <vector>

#include "model/key_records.h"
#include "platform/gdi/recording_canvas.h"

namespace drawtest {

std::vector<std::string> Script(const platform::RecordingCanvas& canvas);

// The lines of script that start with prefix ("line", "code", "value", "ellipse").
std::vector<std::string> Only(const std::vector<std::string>& script, const std::string& prefix);

// True when want appears in script in this order, with anything between.
bool InOrder(const std::vector<std::string>& script, const std::vector<std::string>& want);

// Draws key with bitting on a fresh recording canvas and returns the script, its leading
// "clear" left out.
std::vector<std::string> Draw(const KeyParams& key, const std::vector<int32_t>& bitting = {});

// A zeroed record of the given type with cuts in group 1 at spaces and the given flats, depths
// and blade width.
KeyParams MakeKey(int keyType, std::vector<int32_t> spaces, int flat, std::vector<int32_t> depths,
                  int keyWidth = 900);

}  // namespace drawtest
