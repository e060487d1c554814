// Any bytes as script code, and as a lone expression: a syntax tree or a compile error.
#include "FuzzCheck.h"
#include "Parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string code(reinterpret_cast<const char *>(data), size);
    try {
        FUZZ_CHECK(vbs::parse(code) != nullptr);
    } catch (const vbs::CompileError &e) {
        FUZZ_CHECK(e.number > 0);
    }
    try {
        FUZZ_CHECK(vbs::parseExpression(code) != nullptr);
    } catch (const vbs::CompileError &e) {
        FUZZ_CHECK(e.number > 0);
    }
    return 0;
}
