#pragma once
// What every drawing test starts from: the drawing script and its short names.

#include <gtest/gtest.h>

#include "draw/drawing_script.h"

using drawtest::Draw;
using drawtest::InOrder;
using drawtest::MakeKey;
using drawtest::Only;
using Script = std::vector<std::string>;
