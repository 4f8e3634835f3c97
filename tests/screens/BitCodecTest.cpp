#include "screens/BitCodec.h"
#include <climits>
#include <gtest/gtest.h>

using namespace BitCodec;

TEST(CodecTest, KnownEncodingOfAbc) {
    // 24 digits get one leading zero to make 25, five letters.
    EXPECT_EQ(EncodeBytes("abc"), "011000010110001001100011");
    EXPECT_EQ(EncodeGroups(EncodeBytes("abc")), "GC2VD");
    EXPECT_EQ(DecodeBytes(DecodeGroups("GC2VD")), std::string("\0abc", 4));
}

TEST(CodecTest, DigitAndLetterEdges) {
    EXPECT_EQ(EncodeBytes(""), "");
    EXPECT_EQ(DecodeBytes(""), "");
    EXPECT_EQ(EncodeGroups(""), "");
    EXPECT_EQ(EncodeBytes("\xFF\x01"), "1111111100000001");
    // Short digit strings are padded in front; anything but '1' is a zero bit.
    EXPECT_EQ(DecodeBytes("1"), "\x01");
    EXPECT_EQ(DecodeBytes("2x1"), "\x01");
    EXPECT_EQ(EncodeGroups("1"), "B");
    EXPECT_EQ(EncodeGroups("11111"), "9");
    EXPECT_EQ(EncodeGroups("100000"), "BA");
    // The letters I, O, Z, 0 and anything else are not in the alphabet and are skipped.
    EXPECT_EQ(DecodeGroups("G-C 2IOZ0"), DecodeGroups("GC2"));
    EXPECT_EQ(DecodeGroups("9A"), "1111100000");
}

TEST(CodecTest, TextRoundTrips) {
    for (std::string text :
         {"", "abcde", "Kelvora!!!", "fifteen chars..", "caf\xE9 \xFC", "a%", "x"}) {
        SCOPED_TRACE(text);
        std::string encoded = EncodeText(text);
        EXPECT_EQ(encoded.size() % 8, 0u); // 5 padded characters are 40 digits, 8 letters
        EXPECT_EQ(DecodeText(encoded), StripPercent(text));
    }
}

TEST(CodecTest, PercentPadding) {
    EXPECT_EQ(PadWithPercent("12", 10), "12%%%%%%%%");
    EXPECT_EQ(PadWithPercent("1234567890", 10), "1234567890");
    EXPECT_EQ(PadWithPercent("abcde", 5), "abcde");
    EXPECT_EQ(PadWithPercent("", 5), "");
    // A text's own trailing '%' goes with the padding, as the file has always done.
    EXPECT_EQ(StripPercent("50%%%%"), "50");
    EXPECT_EQ(StripPercent("%"), "");
}

TEST(CodecTest, NumberRoundTrips) {
    struct Case {
        int value;
        size_t letters;
    };
    for (Case c : {Case{0, 16},
                   {250, 16},
                   {12, 16},
                   {1234567890, 16},
                   {-5, 16},
                   {INT_MAX, 16},
                   {INT_MIN, 32}}) {
        SCOPED_TRACE(c.value);
        std::string encoded = EncodeNumber(c.value);
        EXPECT_EQ(encoded.size(), c.letters);
        EXPECT_EQ(DecodeNumber(encoded), c.value);
    }
    EXPECT_EQ(EncodeNumber(12), EncodeGroups(EncodeBytes("12%%%%%%%%")));
    EXPECT_EQ(EncodeNumber(1234567890), EncodeGroups(EncodeBytes("1234567890")));
}

TEST(CodecTest, NumberThatIsNotANumberIsReported) {
    for (std::string line :
         {std::string(), EncodeText("abc"), EncodeText("12a"), EncodeText("99999999999"),
          EncodeText("-"), EncodeText(" 7"), std::string("GARBAGE"), EncodeFlag(1)}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(DecodeNumber(line), std::nullopt);
    }
}

TEST(CodecTest, ParseDecimalAcceptsOnlyASignedInteger) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    for (Case c : {Case{"7", 7},
                   {"+7", 7},
                   {"-0", 0},
                   {"007", 7},
                   {"-2147483648", INT_MIN},
                   {"2147483648", std::nullopt},
                   {"", std::nullopt},
                   {"+", std::nullopt},
                   {" 7", std::nullopt},
                   {"7 ", std::nullopt},
                   {"0x1", std::nullopt},
                   {"1e3", std::nullopt},
                   {"--1", std::nullopt}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimal(c.text), c.value);
    }
}

TEST(CodecTest, Flags) {
    std::string yes = EncodeFlag(1), no = EncodeFlag(0);
    EXPECT_EQ(yes.size(), 7u);
    EXPECT_EQ(no.size(), 8u);
    EXPECT_EQ(DecodeBytes(DecodeGroups(yes)), std::string("\0true", 5));
    EXPECT_EQ(DecodeBytes(DecodeGroups(no)), "false");
    // Only exactly 1 is written as true.
    EXPECT_EQ(EncodeFlag(2), no);
    EXPECT_EQ(DecodeFlag(yes), 1);
    EXPECT_EQ(DecodeFlag(no), 0);
    // Anything that is not exactly "false" reads as set, an empty line too.
    EXPECT_EQ(DecodeFlag(""), 1);
    EXPECT_EQ(DecodeFlag(EncodeText("FALSE")), 1);
    EXPECT_EQ(DecodeFlag(no + "B"), 1);
}
