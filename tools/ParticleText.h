#pragma once
#include "engine/ParticleScript.h"
#include <string>

// A particle effect written as text: one "Field = value" per line, '#' or ';' starts a
// comment at the start of a line. Fields keep the script's names (EmitRate, LifeMin, ...).
// Values: numbers; angles may end in "deg"; colours "#RRGGBB" or "#RRGGBBAA"; DrawFx a number
// ("$0504" hex or decimal) or one of "opaque", "blend", "add", "multiply", "screen".
// Unknown fields and bad values are errors, reported as "file:line: message".
bool ParseParticleText(const std::string& text, const std::string& fileName,
                       TParticleScript& out, std::string& error);
bool LoadParticleText(const std::string& path, TParticleScript& out, std::string& error);
