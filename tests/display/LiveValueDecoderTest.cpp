#include "display/LiveValueDecoder.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

TEST(LiveValueDecoder, DecodesEachTypeWithItsScaleSignAndFormat)
{
    // The temperature radio button ids stored in TEMPOPTION, restated.
    constexpr int C = 1152;
    constexpr int F = 1153;
    struct Reply {
        int type;
        QByteArray bytes;
        float value;
        const char* text;
        int tempOption = C;
    };
    // One decode type a paragraph, its worked examples and its edges.
    const Reply cases[] = {
        // 1: 11 bits times 0.05, one decimal; the top five bits are not volts.
        {1, bytesOf({0xFF, 0xFF}), 102.35f, "102.3"},
        {1, bytesOf({252, 0}), 12.6f, "12.6"},
        {1, bytesOf({252, 0xF8}), 12.6f, "12.6"},
        // 2: negated signed 24 bits times 0.01, cut to three digits, two decimals.
        {2, bytesOf({150, 0, 0}), -1.5f, "-1.50"},
        {2, bytesOf({0x6A, 0xFF, 0xFF}), 1.5f, "1.50"},
        {2, bytesOf({0xC0, 0x1D, 0xFE}), 1230.0f, "1230.00"}, // unit -123456
        // 3: negated, no scaling.
        {3, bytesOf({0x01, 0x00, 0x00}), -1.0f, "-1.00"},
        {3, bytesOf({0xFF, 0xFF, 0xFF}), 1.0f, "1.00"},
        // 4: as 2 with one decimal.
        {4, bytesOf({0x2E, 0xFB, 0xFF}), 12.3f, "12.3"}, // unit -1234
        // 5: negated signed 24 bits times 0.01; zero is not -0.00.
        {5, bytesOf({0xC7, 0xCF, 0xFF}), 123.45f, "123.45"},
        {5, bytesOf({0, 0, 0}), 0.0f, "0.00"},
        {5, bytesOf({0x00, 0x00, 0x80}), 83886.08f, "83886.08"},
        // 6: signed 32 bits shifted right by 7 keeping the sign, negated, times 0.01.
        {6, bytesOf({0x00, 0x01, 0x00, 0x00}), -0.02f, "-0.02"},
        {6, bytesOf({0xFF, 0xFF, 0xFF, 0xFF}), 0.01f, "0.01"},
        // 7: negated signed 32 bits times 0.01.
        {7, bytesOf({0x10, 0x27, 0x00, 0x00}), -100.0f, "-100.00"},
        // 8: the unsigned byte.
        {8, bytesOf({0xFF}), 255.0f, "255"},
        // 9: unsigned 16 bits times 0.01; above 655 the text is "??" but the value stays.
        {9, bytesOf({0xDC, 0xFF}), 655.0f, "655.00"},
        {9, bytesOf({0xDD, 0xFF}), 655.01f, "??"},
        {9, bytesOf({0xFF, 0xFF}), 655.35f, "??"},
        // 10: the signed byte, in Fahrenheit when chosen.
        {10, bytesOf({0x19}), 77.0f, "77.0", F},
        {10, bytesOf({0xD8}), -40.0f, "-40.0", F},
        {10, bytesOf({0xD8}), -40.0f, "-40.0", C},
        // No type, and a reply too short: nothing is read past the bytes.
        {11, bytesOf({1, 2}), 0.0f, ""},
        {7, bytesOf({0x10}), -0.16f, "-0.16"},
    };
    for (const Reply& reply : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << reply.type << ", " << reply.text);
        const DecodedValue decoded = decodeLiveValue(reply.type, reply.bytes, reply.tempOption);
        EXPECT_FLOAT_EQ(decoded.value, reply.value);
        EXPECT_EQ(decoded.text, QString::fromLatin1(reply.text));
    }
}
