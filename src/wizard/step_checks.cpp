#include "wizard/step_checks.h"

#include "res/strings.h"

std::wstring StepResult::Message() const {
    return Passed() ? std::wstring(L"0") : res::LoadString(messageId);
}
