#include "platform/Cp1252.h"
#include "platform/ScancodeMap.h"
#include <gtest/gtest.h>

using namespace platform;

TEST(Cp1252Test, Utf8Conversion) {
    struct Case {
        const char* utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"\xE2\x80\x99", "\x92"},           // right single quotation mark
        {"caf\xC3\xA9", "caf\xE9"},          // e acute
        {"\xE2\x82\xAC", "\x80"},            // euro sign
        {"\xE6\x97\xA5!", "?!"},              // no single-byte form
        {"\xF0\x9F\x98\x80", "?"},           // outside the basic plane
        {"a\x80" "b", "ab"},                 // stray continuation byte
        {"a\xC3", "a"},                      // truncated at the end
        {"\xC3(x", "(x"},                    // lead byte without its continuation
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.expected) << c.utf8;
}

TEST(Cp1252Test, EveryAssignedByteSurvivesARoundTrip) {
    for (int b = 1; b < 256; ++b) {
        if (Cp1252ToCodePoint(uint8_t(b)) == 0) continue; // the five unassigned codes
        const std::string one(1, char(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}

TEST(ScancodeMapTest, KeysMapToTheirVirtualCodes) {
    struct Case {
        int scancode, vk;
    };
    // USB HID usages: A=4, Z=29, 1=30, 0=39, Return=40, Escape=41, Space=44, grave=53,
    // F1=58, F12=69, Right=79, Up=82, keypad 0=98, left Shift=225, right Ctrl=228.
    const Case cases[] = {{4, 65},   {29, 90},  {30, 49},  {39, 48},  {40, 13},  {41, 27},
                          {44, 32},  {53, 192}, {58, 112}, {69, 123}, {79, 39},  {82, 38},
                          {98, 96},  {225, 16}, {228, 17}, {0, 0},    {300, 0},  {-1, 0}};
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromScancode(c.scancode), c.vk) << c.scancode;
}
