// Random script files through the script parser: it must never crash, and a
// file it accepts must give keys whose line numbers stay within the file and
// never go back.
#include "Frontends.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestro;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto keys = parseScript(text, "fuzz", error);
    if (!keys) {
        if (error.rfind("fuzz:", 0) != 0)
            std::abort(); // a refusal always names the file and line
        return 0;
    }
    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    int last = 0;
    for (const ScriptKey& k : *keys) {
        if (k.line < last || k.line < 1 || k.line > lines)
            std::abort();
        last = k.line;
    }
    return 0;
}
