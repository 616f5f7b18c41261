#pragma once
// A message box of the system's own look, for when the program's skin cannot be read.

#include <string>

namespace afx {

// Shows `text` with one OK button and returns once the user has read it.
void PlainErrorBox(const std::wstring& title, const std::wstring& text);

}  // namespace afx
