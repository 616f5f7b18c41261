#pragma once
// The question asked before all data on the machine is cleared, in the update tool's four
// languages (0 Chinese, 3 Italian, 8 Swedish, any other English).

#include <string>

namespace res {

std::wstring ClearDataQuestion(int languageIndex);

}  // namespace res
