// Any bytes as script code: the lexer either gives tokens or a compile error.
#include "FuzzCheck.h"
#include "Lexer.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string code(reinterpret_cast<const char *>(data), size);
    try {
        const std::vector<vbs::Token> tokens = vbs::tokenize(code);
        FUZZ_CHECK(!tokens.empty() && tokens.back().kind == vbs::Tok::End);
        int line = 1;
        for (const vbs::Token &token : tokens) {
            // Error messages name these lines, so they may only go forwards.
            FUZZ_CHECK(token.line >= line);
            line = token.line;
            // Only brackets can write an empty name: "[]" is one.
            if (token.kind == vbs::Tok::Ident)
                FUZZ_CHECK(!token.name.empty() || token.bracketed);
        }
    } catch (const vbs::CompileError &e) {
        FUZZ_CHECK(e.number > 0);
    }
    return 0;
}
