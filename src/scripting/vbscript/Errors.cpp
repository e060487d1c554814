#include "Errors.h"

#include <cstdint>

namespace vbs {

std::string errorText(int number)
{
    switch (number) {
    case err::InvalidCall:
        return "Invalid procedure call or argument";
    case err::Overflow:
        return "Overflow";
    case err::OutOfMemory:
        return "Out of memory";
    case err::OutOfStringSpace:
        return "Out of string space";
    case err::SubscriptRange:
        return "Subscript out of range";
    case err::ArrayFixed:
        return "This array is fixed or temporarily locked";
    case err::DivisionByZero:
        return "Division by zero";
    case err::TypeMismatch:
        return "Type mismatch";
    case err::OutOfStack:
        return "Out of stack space";
    case err::SubNotDefined:
        return "Sub or Function not defined";
    case err::BadFileMode:
        return "Bad file mode";
    case err::FileNotFound:
        return "File not found";
    case err::FileExists:
        return "File already exists";
    case err::DiskFull:
        return "Disk full";
    case err::InputPastEnd:
        return "Input past end of file";
    case err::PermissionDenied:
        return "Permission denied";
    case err::PathNotFound:
        return "Path not found";
    case err::ObjectNotSet:
        return "Object variable not set";
    case err::ForNotInitialized:
        return "For loop not initialized";
    case err::InvalidUseOfNull:
        return "Invalid use of Null";
    case err::ObjectRequired:
        return "Object required";
    case err::CantCreateObject:
        return "ActiveX component can't create object";
    case err::NoSuchMember:
        return "Object doesn't support this property or method";
    case err::WrongArgCount:
        return "Wrong number of arguments or invalid property assignment";
    case err::NotACollection:
        return "Object not a collection";
    case err::KeyExists:
        return "This key is already associated with an element of this collection";
    case err::UnsupportedAutomationType:
        return "Variable uses an Automation type not supported in VBScript";
    case err::Undefined:
        return "Variable is undefined";
    case err::IllegalAssignment:
        return "Illegal assignment";
    case err::ClassNotDefined:
        return "Class not defined";
    case err::RegExpSyntax:
        return "Syntax error in regular expression";
    case err::UnexpectedQuantifier:
        return "Unexpected quantifier";
    case err::ExpectedBracketInRegExp:
        return "Expected ']' in regular expression";
    case err::ExpectedParenInRegExp:
        return "Expected ')' in regular expression";
    case err::InvalidRangeInRegExp:
        return "Invalid range in character set";
    case err::Timeout:
        return "The script was stopped because it ran longer than 10 seconds";
    case err::SyntaxError:
        return "Syntax error";
    case err::ExpectedColon:
        return "Expected ':'";
    case err::ExpectedLParen:
        return "Expected '('";
    case err::ExpectedRParen:
        return "Expected ')'";
    case err::ExpectedIdentifier:
        return "Expected identifier";
    case err::ExpectedEquals:
        return "Expected '='";
    case err::ExpectedIf:
        return "Expected 'If'";
    case err::ExpectedTo:
        return "Expected 'To'";
    case err::ExpectedEnd:
        return "Expected 'End'";
    case err::ExpectedFunction:
        return "Expected 'Function'";
    case err::ExpectedSub:
        return "Expected 'Sub'";
    case err::ExpectedThen:
        return "Expected 'Then'";
    case err::ExpectedWend:
        return "Expected 'Wend'";
    case err::ExpectedLoop:
        return "Expected 'Loop'";
    case err::ExpectedNext:
        return "Expected 'Next'";
    case err::ExpectedCase:
        return "Expected 'Case'";
    case err::ExpectedSelect:
        return "Expected 'Select'";
    case err::ExpectedExpression:
        return "Expected expression";
    case err::ExpectedStatement:
        return "Expected statement";
    case err::ExpectedEndOfStatement:
        return "Expected end of statement";
    case err::ExpectedInteger:
        return "Expected integer constant";
    case err::ExpectedWhileUntil:
        return "Expected 'While' or 'Until'";
    case err::ExpectedWith:
        return "Expected 'With'";
    case err::InvalidNumber:
        return "Invalid number";
    case err::InvalidCharacter:
        return "Invalid character";
    case err::UnterminatedString:
        return "Unterminated string constant";
    case err::LoopWithoutDo:
        return "'loop' without 'do'";
    case err::InvalidExit:
        return "Invalid 'exit' statement";
    case err::InvalidForVariable:
        return "Invalid 'for' loop control variable";
    case err::NameRedefined:
        return "Name redefined";
    case err::ExpectedLiteral:
        return "Expected literal constant";
    case err::ExpectedIn:
        return "Expected 'In'";
    case err::ExpectedClass:
        return "Expected 'Class'";
    case err::ExpectedProperty:
        return "Expected 'Property'";
    case err::UnexpectedNext:
        return "Unexpected 'Next'";
    case 1042:
        return "Must be first statement on the line";
    case 1044:
        return "Cannot use parentheses when calling a Sub";
    case 1049:
        return "Expected Let or Set or Get in property declaration";
    case err::ElementNotFound:
        return "Element not found";
    default:
        return "Unknown runtime error";
    }
}

int errorOfHresult(int number)
{
    const auto code = static_cast<uint32_t>(number);
    if (!(code & 0x80000000u))
        return number;
    const uint32_t facility = (code >> 16) & 0x1FFF, low = code & 0xFFFF;
    if (facility == 10) // the scripting engines' own: the low word is the error itself
        return static_cast<int>(low);
    if (facility != 7)
        return number;
    switch (low) { // Windows error codes
    case 2:        // ERROR_FILE_NOT_FOUND
        return err::FileNotFound;
    case 3: // ERROR_PATH_NOT_FOUND
        return err::PathNotFound;
    case 5: // ERROR_ACCESS_DENIED
        return err::PermissionDenied;
    case 8:  // ERROR_NOT_ENOUGH_MEMORY
    case 14: // ERROR_OUTOFMEMORY
        return err::OutOfMemory;
    case 38: // ERROR_HANDLE_EOF
        return err::InputPastEnd;
    case 80:  // ERROR_FILE_EXISTS
    case 183: // ERROR_ALREADY_EXISTS
        return err::FileExists;
    case 87: // ERROR_INVALID_PARAMETER
        return err::InvalidCall;
    case 112: // ERROR_DISK_FULL
        return err::DiskFull;
    default:
        return number;
    }
}

} // namespace vbs
