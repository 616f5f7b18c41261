#pragma once
// The toolkit's own texts (file dialogs and their questions, standard buttons) follow the
// program's language, as the system's dialogs follow the thread's UI language on Windows.

#include <string>

namespace afx {

// Loads the toolkit's translation for a locale name such as "zh_CN", "it" or "sv"; an empty
// name, or one the system has no translation for, leaves the toolkit's texts in English.
// Answers whether a translation is in use. UI thread only.
bool SetToolkitLanguage(const std::string& localeName);

}  // namespace afx
