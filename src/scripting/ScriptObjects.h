#pragma once

#include "MemberObject.h"

#include <QColor>

#include <memory>

class CharacterWindow;
class QLabel;
class QL;
class Synthesizer;
class TickTimer;

// The five objects every script is handed, as the script engine sees them.
namespace ScriptObjects {

std::shared_ptr<MemberObject> ql(QL &ql);
// The synthesizer's own members: speaking here does not touch the bubble.
std::shared_ptr<MemberObject> mouth(Synthesizer &mun);
// The bubble's text label.
std::shared_ptr<MemberObject> bubble(QLabel &speech);
// The blink timer.
std::shared_ptr<MemberObject> wink(TickTimer &wink);
// The character window and the program-wide state it carries.
std::shared_ptr<MemberObject> character(CharacterWindow &character);

// VBScript colours are &HBBGGRR.
int toScriptColor(const QColor &color);
QColor fromScriptColor(int color);

} // namespace ScriptObjects
