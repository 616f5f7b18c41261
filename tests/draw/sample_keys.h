#pragma once
// One sample key of every drawn type, with part of its bitting entered.

#include <string>
#include <vector>

#include "model/key_records.h"

namespace drawtest {

struct SampleKey {
    std::string name;
    KeyParams key;
    std::vector<int32_t> bitting;
};

std::vector<SampleKey> SampleKeys();

}  // namespace drawtest
