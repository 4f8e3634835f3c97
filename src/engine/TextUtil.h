#pragma once
#include <string>
#include <string_view>

// Names of images, fonts, scripts and controls match ignoring ASCII letter case.
bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool EndsWithText(std::string_view s, std::string_view suffix);
