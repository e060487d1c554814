#pragma once

#include "Ast.h"
#include "Lexer.h"

#include <memory>
#include <string>

namespace vbs {

// Builds the syntax tree of one piece of code; throws CompileError with VBScript's numbers.
std::unique_ptr<Module> parse(const std::string &code);
std::unique_ptr<Expr> parseExpression(const std::string &code);

} // namespace vbs
