#include "ui/message_script.h"

namespace {
ScopedMessageScript* g_current = nullptr;
}

ScopedMessageScript::ScopedMessageScript(std::vector<ScriptedMessage> answers)
    : m_answers(std::move(answers)), m_previous(g_current) {
    g_current = this;
}

ScopedMessageScript::~ScopedMessageScript() {
    g_current = m_previous;
}

ScopedMessageScript* ScopedMessageScript::Current() {
    return g_current;
}

ScriptedMessage ScopedMessageScript::Take(const std::wstring& text, int type) {
    m_shown.push_back({text, type});
    return m_next < m_answers.size() ? m_answers[m_next++] : ScriptedMessage{};
}
