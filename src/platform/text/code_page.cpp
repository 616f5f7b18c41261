#include <iconv.h>

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/text/text.h"

namespace platform {
namespace {

std::atomic<int> g_codePage{0};

std::string IconvName(int codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "BIG5";
        case 932:
            return "SHIFT_JIS";
        case 949:
            return "CP949";
        case 874:
            return "CP874";
        default:
            return "CP" + std::to_string(codePage);
    }
}

// One open converter per call: conversions are rare (record names), and a shared one would
// need a lock across threads.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : handle_(::iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok()) {
            ::iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one unit of input; false when the input is not representable or not valid.
    bool Convert(const char* in, size_t inBytes, std::string& out) {
        char buffer[16];
        char* inPtr = const_cast<char*>(in);
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(handle_, &inPtr, &inBytes, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            inBytes != 0) {
            return false;
        }
        out.assign(buffer, outPtr);
        return true;
    }

  private:
    iconv_t handle_;
};

// Windows' code page 1252 maps its five unassigned bytes to the C1 controls of the same number;
// iconv leaves them out, which would make names that differ only in them one name.
bool IsCp1252Gap(int codePage, uint32_t value) {
    return codePage == 1252 &&
           (value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D);
}

std::string LocaleName() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

}  // namespace

int CodePageForLocale(std::string_view localeName) {
    std::string_view language = localeName.substr(0, localeName.find_first_of("_.@"));
    std::string_view territory;
    if (size_t underscore = localeName.find('_'); underscore != std::string_view::npos) {
        territory = localeName.substr(underscore + 1, 2);
    }
    if (language == "zh") {
        return (territory == "TW" || territory == "HK" || territory == "MO") ? 950 : 936;
    }
    struct Entry {
        std::string_view language;
        int codePage;
    };
    static constexpr Entry kTable[] = {
        {"ja", 932},  {"ko", 949},  {"ru", 1251}, {"uk", 1251}, {"bg", 1251}, {"be", 1251},
        {"sr", 1251}, {"mk", 1251}, {"pl", 1250}, {"cs", 1250}, {"hu", 1250}, {"sk", 1250},
        {"sl", 1250}, {"hr", 1250}, {"ro", 1250}, {"el", 1253}, {"tr", 1254}, {"he", 1255},
        {"ar", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},
    };
    for (const Entry& entry : kTable) {
        if (entry.language == language) {
            return entry.codePage;
        }
    }
    return 1252;
}

int AnsiCodePage() {
    int codePage = g_codePage.load();
    if (codePage == 0) {
        codePage = CodePageForLocale(LocaleName());
        g_codePage.store(codePage);
    }
    return codePage;
}

void SetAnsiCodePage(int codePage) {
    g_codePage.store(codePage);
}

std::string WideToMultiByte(int codePage, std::wstring_view text, size_t maxBytes) {
    Converter converter(IconvName(codePage), "WCHAR_T");
    std::string out;
    std::string unit;
    for (wchar_t wc : text) {
        if (IsCp1252Gap(codePage, static_cast<uint32_t>(wc))) {
            unit.assign(1, static_cast<char>(wc));
        } else if (!converter.ok() ||
                   !converter.Convert(reinterpret_cast<const char*>(&wc), sizeof wc, unit)) {
            unit = wc < 0x80 ? std::string(1, static_cast<char>(wc)) : std::string("?");
        }
        if (out.size() + unit.size() > maxBytes) {
            break;
        }
        out += unit;
    }
    return out;
}

std::wstring MultiByteToWide(int codePage, std::string_view bytes) {
    Converter converter("WCHAR_T", IconvName(codePage));
    std::wstring out;
    std::string unit;
    size_t i = 0;
    while (i < bytes.size()) {
        if (IsCp1252Gap(codePage, static_cast<uint8_t>(bytes[i]))) {
            out += static_cast<wchar_t>(static_cast<uint8_t>(bytes[i++]));
            continue;
        }
        // Characters of the code pages here take one or two bytes.
        bool done = false;
        for (size_t length = 1; length <= 2 && i + length <= bytes.size() && !done; ++length) {
            if (converter.ok() && converter.Convert(bytes.data() + i, length, unit) &&
                unit.size() == sizeof(wchar_t)) {
                wchar_t wc;
                std::memcpy(&wc, unit.data(), sizeof wc);
                out += wc;
                i += length;
                done = true;
            }
        }
        if (!done) {
            out += L'\uFFFD';
            ++i;
        }
    }
    return out;
}

}  // namespace platform
