#pragma once

#include <string>

namespace vbs {

// VBScript's error numbers; errorText() gives the matching description.
namespace err {
enum : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    OutOfStringSpace = 14,
    SubscriptRange = 9,
    ArrayFixed = 10,
    DivisionByZero = 11,
    TypeMismatch = 13,
    OutOfStack = 28,
    SubNotDefined = 35,
    BadFileMode = 54,
    FileNotFound = 53,
    FileExists = 58,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathNotFound = 76,
    ObjectNotSet = 91,
    ForNotInitialized = 92,
    InvalidUseOfNull = 94,
    ObjectRequired = 424,
    CantCreateObject = 429,
    NoSuchMember = 438,
    WrongArgCount = 450,
    NotACollection = 451,
    KeyExists = 457,
    UnsupportedAutomationType = 458,
    Undefined = 500,
    IllegalAssignment = 501,
    ClassNotDefined = 506,
    RegExpSyntax = 5017,
    UnexpectedQuantifier = 5018,
    ExpectedBracketInRegExp = 5019,
    ExpectedParenInRegExp = 5020,
    InvalidRangeInRegExp = 5021,
    Timeout = 1000000, // the engine's own: the script ran too long
    SyntaxError = 1002,
    ExpectedColon = 1003,
    ExpectedLParen = 1005,
    ExpectedRParen = 1006,
    ExpectedIdentifier = 1010,
    ExpectedEquals = 1011,
    ExpectedIf = 1012,
    ExpectedTo = 1013,
    ExpectedEnd = 1014,
    ExpectedFunction = 1015,
    ExpectedSub = 1016,
    ExpectedThen = 1017,
    ExpectedWend = 1018,
    ExpectedLoop = 1019,
    ExpectedNext = 1020,
    ExpectedCase = 1021,
    ExpectedSelect = 1022,
    ExpectedExpression = 1023,
    ExpectedStatement = 1024,
    ExpectedEndOfStatement = 1025,
    ExpectedInteger = 1026,
    ExpectedWhileUntil = 1027,
    ExpectedWith = 1029,
    InvalidNumber = 1031,
    InvalidCharacter = 1032,
    UnterminatedString = 1033,
    LoopWithoutDo = 1038,
    InvalidExit = 1039,
    InvalidForVariable = 1040,
    NameRedefined = 1041,
    ExpectedLiteral = 1045,
    ExpectedIn = 1046,
    ExpectedClass = 1047,
    ExpectedProperty = 1050,
    UnexpectedNext = 1055,
    ElementNotFound = 32811,
};
} // namespace err

std::string errorText(int number);
// The VBScript error a failure code of the Windows or the scripting facility stands for;
// any other number is given back as it is.
int errorOfHresult(int number);

} // namespace vbs
