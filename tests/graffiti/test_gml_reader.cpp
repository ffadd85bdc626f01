// The GML reader on the cases real drawing files bring, and on input that is too big or not text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "gml_test_support.h"
#include "graffiti/gml_number.h"

namespace {

std::string three_points(const std::string& open_time, const std::string& close_time)
{
    std::string text = "<stroke>\n";
    for (const char* v : {"0.1 0.2 0.0", "0.3 0.4 0.5", "0.5 0.6 1.0"}) {
        std::string x(v, 3), y(v + 4, 3), t(v + 8, 3);
        text += "<pt><x>" + x + "</x><y>" + y + "</y>" + open_time + t + close_time + "</pt>\n";
    }
    return text + "</stroke>\n";
}

std::string with_crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out.append(c == '\n' ? "\r\n" : std::string(1, c));
    }
    return out;
}

}  // namespace

TEST(GmlReader, SpellingsOfOneStrokeReadTheSame)
{
    const std::string body = three_points("<time>", "</time>");
    const std::string texts[] = {
        "<GML spec=\"Graffiti Analysis 2.0\">\n<TAG><Drawing>" + body + "</drawing></tag></gml>\n",
        "<gml spec='Graffiti Analysis 2.0'>" + three_points("<t>", "</t>") + "</gml>",
        "<gml spec='Graffiti Analysis 2.0'>" + three_points("<time>", "</t>") + three_points("<t>", "</time>"),
        with_crlf("<gml spec='Graffiti Analysis 2.0'>\n<tag>\n<drawing>\n" + body + "</drawing>\n</tag>\n</gml>\n"),
    };
    for (const std::string& text : texts) {
        auto d = parse_text(text);
        EXPECT_STREQ(d->spec, "Graffiti Analysis 2.0") << text;  // attribute values keep their case
        ASSERT_GE(d->stroke_count, 1) << text;
        ASSERT_EQ(d->strokes[0].point_count, 3) << text;
        const float expected[3][3] = {{0.1f, 0.2f, 0.0f}, {0.3f, 0.4f, 0.5f}, {0.5f, 0.6f, 1.0f}};
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(d->strokes[0].points[k][0], expected[k][0]) << text;
            EXPECT_EQ(d->strokes[0].points[k][1], expected[k][1]) << text;
            EXPECT_EQ(d->strokes[0].times[k], expected[k][2]) << text;
        }
    }
    // A value on a line of its own between CRLF lines: the CR token's 0.0 is overwritten.
    auto d = parse_text(with_crlf("<gml>\n<stroke>\n<pt>\n<x>\n0.75\n</x>\n</pt>\n</stroke>\n</gml>\n"));
    EXPECT_EQ(d->stroke_count, 1);
    EXPECT_EQ(d->strokes[0].points[0][0], 0.75f);
}

TEST(GmlReader, CommentsNestingAndUnclosedElements)
{
    auto d = parse_text(
        "<gml spec=\"1\"><!-- <stroke> <pt> <x> 9 </x> </pt> </stroke> --> <!--nospaces--> <!--<stroke>-->"
        "<header><up><x>7</x><y>8</y></up></header>"  // lands in the open point slot
        "<stroke><pt><x>0.25</x></pt></stroke>"
        "<stroke id=\"2\"><pt><x>0.5</x></pt></stroke>"  // a start tag with an attribute opens nothing
        "<stroke><pt><x>0.6</x></pt><pt><x>0.7");        // the text ends inside a stroke
    ASSERT_EQ(d->stroke_count, 1);
    EXPECT_EQ(d->strokes[0].point_count, 1);
    EXPECT_EQ(d->strokes[0].points[0][0], 0.25f);
    EXPECT_EQ(d->strokes[0].points[0][1], 8.0f);  // kept from the header: nothing overwrote it
    EXPECT_EQ(d->strokes[1].point_count, 1);
    EXPECT_EQ(d->strokes[1].points[1][0], 0.7f);
    for (const char* text : {"<gml spec=\"unterminated", "<gml spec=", "<!-- never closed <stroke>", "<x>"}) {
        EXPECT_EQ(parse_text(text)->stroke_count, 0) << text;
    }
}

TEST(GmlReader, NumbersConvertLikeDecimalTextInAnyLocale)
{
    const std::pair<std::string, float> cases[] = {
        {"0.5", 0.5f},
        {"-2.25", -2.25f},
        {"+1", 1.0f},
        {".5", 0.5f},
        {"1e3", 1000.0f},
        {"1.5abc", 1.5f},
        {"0.5\r", 0.5f},
        {"\r0.5", 0.5f},
        {"\r", 0.0f},
        {"abc", 0.0f},
        {"--1", 0.0f},
        {"+-1", 0.0f},
        {"<x>", 0.0f},
        {"1e-500", 0.0f},
        {"5.", 5.0f},
        {"0.1", 0.1f},
        // Out of range: only the number's own exponent says which way, not text after it.
        {"1e500", INFINITY},
        {"9e900e-", INFINITY},
        {"-5e999e-1", -INFINITY},
        {"1e-500e5", 0.0f},
        {"-1e-999x", -0.0f},
    };
    for (const auto& [text, value] : cases) {
        float got = gml_text_to_float(text.data(), static_cast<int32_t>(text.size()));
        EXPECT_EQ(got, value) << text;
        EXPECT_EQ(std::signbit(got), std::signbit(value)) << text;
    }
}

TEST(GmlReader, InputBeyondTheRecordIsDroppedAndTheRestStillReads)
{
    std::string long_tag(202, 'A');
    long_tag.front() = '<';
    long_tag.back() = '>';
    std::string text = "<gml spec=\"" + std::string(100, 's') + "\">" + long_tag;
    for (int s = 0; s < 70; s++) {
        text += "<stroke><pt><x>" + std::to_string(s) + "</x></pt><pt><x>0.25" + std::string(200, '0') +
                "</x></pt></stroke>";
    }
    auto d = parse_text(text);
    EXPECT_EQ(std::string(d->spec), std::string(31, 's'));
    ASSERT_EQ(d->stroke_count, GML_MAX_STROKES);
    EXPECT_EQ(d->strokes[63].points[0][0], 63.0f);
    EXPECT_EQ(d->strokes[63].points[1][0], 0.25f);  // a 204-byte number cut to 63 bytes

    std::string points = "<stroke>";
    for (int k = 0; k < 600; k++) {
        points += "<pt><x>" + std::to_string(k) + "</x></pt>";
    }
    auto p = parse_text(points + "</stroke>");
    EXPECT_EQ(p->strokes[0].point_count, GML_MAX_POINTS);
    EXPECT_EQ(p->strokes[0].points[511][0], 511.0f);
}

TEST(GmlReader, DeepNestingAndBytesThatAreNotTextParseSafely)
{
    std::string tags;
    for (int i = 0; i < 200000; i++) {
        tags += "<tag>";
    }
    EXPECT_EQ(parse_text(tags + "<stroke><pt></pt></stroke>")->stroke_count, 0);  // deep tags count as text

    std::string noise(1 << 20, '\0');
    uint32_t state = 12345;
    for (char& c : noise) {
        state = state * 214013u + 2531011u;
        c = static_cast<char>(state >> 16);
    }
    // Tag-like bytes now and then, so that elements really open.
    const std::string openers[] = {"<stroke>", "<pt>", "<x>", "<gml ", "<!--", "</pt>", "</stroke>", "=\""};
    for (size_t i = 0; i + 16 < noise.size(); i += 97) {
        noise.replace(i, openers[i % 8].size(), openers[i % 8]);
    }
    auto d = parse_text(noise);
    EXPECT_LE(d->stroke_count, GML_MAX_STROKES);
    for (const GmlStroke& s : d->strokes) {
        EXPECT_LE(s.point_count, GML_MAX_POINTS);
    }
}
