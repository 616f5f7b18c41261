#pragma once
// Tests answer the main window's message boxes without running them: while a script is in
// place, each ShowMessage records its text and type and takes the script's next answer.

#include <optional>
#include <string>
#include <vector>

struct ScriptedMessage {
    int answer = 0;
    std::wstring keyName;  // what an accepted key-name entry leaves in m_strKeyName
};

struct ShownMessage {
    std::wstring text;
    int type = 0;
};

class ScopedMessageScript {
  public:
    explicit ScopedMessageScript(std::vector<ScriptedMessage> answers);
    ~ScopedMessageScript();
    ScopedMessageScript(const ScopedMessageScript&) = delete;
    ScopedMessageScript& operator=(const ScopedMessageScript&) = delete;

    const std::vector<ShownMessage>& Shown() const { return m_shown; }

    // The script in place, if any; a box past the script's end answers 0.
    static ScopedMessageScript* Current();
    ScriptedMessage Take(const std::wstring& text, int type);

  private:
    std::vector<ScriptedMessage> m_answers;
    std::vector<ShownMessage> m_shown;
    size_t m_next = 0;
    ScopedMessageScript* m_previous;
};
