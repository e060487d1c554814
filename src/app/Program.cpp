#include "Program.h"

Program::Program() = default;
Program::~Program() = default;

bool Program::start() { return true; }
