#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TGuiControl;

// The form file: a child list of controls, each with its class name, its properties (name,
// type code, value) and its own child list; integers little-endian, strings a 32-bit signed
// length and that many bytes. Fills are 17 bytes (four colours, drawn flag), fonts 29 (index,
// top and bottom colour, scale, style, interleave); every other value is text that the
// control converts.
//
// Reading stops at a class the registry does not know: in the outermost list that ends the
// load with success (the controls before it stay); deeper down it is a failure, since the
// rest of the file cannot be placed. Unknown property names are ignored; a fill or font the
// control does not have is read and dropped; a value that does not convert fails the read.

// Bounds that keep a damaged file from exhausting the stack, the memory or the time.
constexpr int kMaxFormDepth = 32;       // nested child lists below the outermost one
constexpr int kMaxFormControls = 10000; // controls in one file
constexpr size_t kMaxFormFileSize = 32u << 20;

// Reads one child list from the bytes into parent; false when the bytes are damaged or a
// value does not convert. Controls read before a failure stay under parent.
bool ReadGuiForms(TGuiControl& parent, const uint8_t* data, size_t size);
// The same from a file; false when it cannot be read or is larger than kMaxFormFileSize.
bool LoadGuiForms(TGuiControl& parent, const std::string& fileName);
