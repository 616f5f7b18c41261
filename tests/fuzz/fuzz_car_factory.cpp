// The car-maker list and the saved language come from files anyone may edit: any text must
// parse into bounded entries and a valid language index.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/text.h"
#include "ui/car_makers.h"
#include "ui/language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text =
        platform::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    for (const CarFactoryEntry& entry : ParseCarFactoryLines(lines)) {
        if (entry.machineName.size() > kCarNameLength ||
            entry.displayName.size() > kCarNameLength) {
            std::abort();
        }
    }
    int index = ParseLanguageText(text);
    if (index < 0 || index > kLanguageNone) {
        std::abort();
    }
    return 0;
}
