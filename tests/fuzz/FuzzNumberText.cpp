// The number texts of the list's number columns, the offset field and "/set", against the C library's
// own reading of the same text wherever the two are meant to agree.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "text/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ParseNumberText(text);
    FUZZ_CHECK(!std::isnan(value));

    // strtod reads hexadecimal forms, "inf" and "nan", which are no numbers here; it also stops at a zero
    // byte. Other texts it reads the same, apart from results too small for a normal double.
    if (text.find_first_of(std::string_view("xXiInN\0", 7)) == std::string_view::npos) {
        const std::string copy(text);
        errno = 0;
        const double expected = std::strtod(copy.c_str(), nullptr);
        const bool underflow = errno == ERANGE && !std::isinf(expected);
        if (!underflow && (expected == 0.0 || std::isnormal(expected) || std::isinf(expected))) {
            FUZZ_CHECK(value == expected);
            FUZZ_CHECK(std::signbit(value) == std::signbit(expected));
        }
    }
    return 0;
}
