// The GML reader on the cases real drawing files bring, and on input that is too big or not text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gml_test_support.h"
#include "graffiti/gml_number.h"

namespace {

std::string three_point_stroke(const std::string& open_time, const std::string& close_time)
{
    std::string text = "<stroke>\n";
    const char* values[3][3] = {{"0.1", "0.2", "0.0"}, {"0.3", "0.4", "0.5"}, {"0.5", "0.6", "1.0"}};
    for (const auto& v : values) {
        text += std::string("<pt><x>") + v[0] + "</x><y>" + v[1] + "</y>" + open_time + v[2] + close_time + "</pt>\n";
    }
    return text + "</stroke>\n";
}

void expect_three_points(const GmlDrawing& d)
{
    ASSERT_EQ(d.stroke_count, 1);
    ASSERT_EQ(d.strokes[0].point_count, 3);
    const float expected[3][3] = {{0.1f, 0.2f, 0.0f}, {0.3f, 0.4f, 0.5f}, {0.5f, 0.6f, 1.0f}};
    for (int k = 0; k < 3; k++) {
        EXPECT_EQ(d.strokes[0].points[k][0], expected[k][0]) << "point " << k;
        EXPECT_EQ(d.strokes[0].points[k][1], expected[k][1]) << "point " << k;
        EXPECT_EQ(d.strokes[0].times[k], expected[k][2]) << "point " << k;
    }
}

std::string with_crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

TEST(GmlReader, UpperCaseGmlTagKeepsTheSpecValueAsWritten)
{
    auto d = parse_text("<GML spec=\"Graffiti Analysis 2.0\">\n<TAG><Drawing>" +
                        three_point_stroke("<time>", "</time>") + "</drawing></tag></gml>\n");
    EXPECT_STREQ(d->spec, "Graffiti Analysis 2.0");
    expect_three_points(*d);
}

TEST(GmlReader, TimeTagsOfBothSpellingsCloseEachOther)
{
    for (const auto& [open, close] : std::vector<std::pair<std::string, std::string>>{
             {"<time>", "</time>"}, {"<t>", "</t>"}, {"<time>", "</t>"}, {"<t>", "</time>"}}) {
        SCOPED_TRACE(open + close);
        expect_three_points(*parse_text("<gml spec='x'>" + three_point_stroke(open, close) + "</gml>"));
    }
}

TEST(GmlReader, CrlfLinesAndGmlWithoutAttributesReadLikePlainLines)
{
    std::string text = "<gml>\n<tag>\n<drawing>\n" + three_point_stroke("<time>", "</time>") +
                       "<stroke>\n<pt>\n<x>\n0.75\n</x>\n<y>0.25</y>\n</pt>\n</stroke>\n</drawing>\n</tag>\n</gml>\n";
    for (const std::string& variant : {text, with_crlf(text)}) {
        auto d = parse_text(variant);
        EXPECT_EQ(d->stroke_count, 2);
        EXPECT_EQ(d->strokes[0].point_count, 3);
        EXPECT_EQ(d->strokes[0].points[2][0], 0.5f);
        EXPECT_EQ(d->strokes[1].point_count, 1);
        EXPECT_EQ(d->strokes[1].points[0][0], 0.75f);  // the CR token's 0.0 is overwritten
        EXPECT_EQ(d->strokes[1].points[0][1], 0.25f);
    }
}

TEST(GmlReader, CommentsHideWhatTheyHold)
{
    auto d = parse_text(
        "<gml spec=\"1\"><!-- <stroke> <pt> <x> 9 </x> </pt> </stroke> --> <!--nospaces--> "
        "<!--<stroke>--> <stroke><pt><x>0.5</x></pt></stroke></gml>");
    ASSERT_EQ(d->stroke_count, 1);
    EXPECT_EQ(d->strokes[0].point_count, 1);
    EXPECT_EQ(d->strokes[0].points[0][0], 0.5f);
}

TEST(GmlReader, UncheckedNestingAndStartTagsWithAttributes)
{
    // Header values land in the open point slot; the stroke then overwrites them.
    auto d = parse_text(
        "<gml spec='1'><header><environment><up><x>7</x><y>8</y><z>9</z></up></environment></header>"
        "<stroke><pt><x>0.25</x></pt></stroke>"
        "<stroke id=\"2\"><pt><x>0.5</x></pt></stroke></gml>");
    ASSERT_EQ(d->stroke_count, 1);  // the start tag with an attribute does not open a stroke
    EXPECT_EQ(d->strokes[0].point_count, 1);
    EXPECT_EQ(d->strokes[0].points[0][0], 0.25f);
    EXPECT_EQ(d->strokes[0].points[0][1], 8.0f);  // kept from the header: nothing overwrote it
    EXPECT_EQ(d->strokes[1].points[0][0], 0.5f);  // written, but the stroke never closed
}

TEST(GmlReader, TextEndingInsideAStrokeOrAValueStopsCleanly)
{
    for (const char* text :
         {"<gml spec='1'><stroke><pt><x>0.5</x></pt><pt><x>0.7", "<gml spec='1'><stroke><pt><x>0.5</x></pt><pt><x>",
          "<gml spec=\"unterminated", "<gml spec=", "<!-- never closed <stroke>"}) {
        SCOPED_TRACE(text);
        auto d = parse_text(text);
        EXPECT_EQ(d->stroke_count, 0);
    }
    auto d = parse_text("<stroke><pt><x>0.5</x></pt><pt><x>0.7");
    EXPECT_EQ(d->strokes[0].point_count, 1);
    EXPECT_EQ(d->strokes[0].points[1][0], 0.7f);  // the open point holds its value
}

TEST(GmlReader, NumbersConvertLikeDecimalTextInAnyLocale)
{
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {
        {"0.5", 0.5f},   {"-2.25", -2.25f}, {"+1", 1.0f}, {".5", 0.5f},  {"1e3", 1000.0f}, {"1.5abc", 1.5f},
        {"0.5\r", 0.5f}, {"\r0.5", 0.5f},   {"\r", 0.0f}, {"abc", 0.0f}, {"--1", 0.0f},    {"+-1", 0.0f},
        {"<x>", 0.0f},   {"1e-500", 0.0f},  {"5.", 5.0f}, {"0.1", 0.1f},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(gml_text_to_float(text.data(), static_cast<int32_t>(text.size())), c.value) << text;
    }
    EXPECT_TRUE(std::isinf(gml_text_to_float("1e500", 5)));
    EXPECT_TRUE(std::isnan(gml_text_to_float("nan", 3)));
}

TEST(GmlReader, DrawingsLargerThanTheRecordKeepWhatFits)
{
    std::string text = "<gml spec=\"" + std::string(100, 's') + "\"><drawing>";
    for (int s = 0; s < 70; s++)
        text += "<stroke><pt><x>" + std::to_string(s) + "</x></pt><pt></pt></stroke>";
    text += "</drawing></gml>";
    auto d = parse_text(text);
    EXPECT_EQ(std::string(d->spec), std::string(31, 's'));
    ASSERT_EQ(d->stroke_count, GML_MAX_STROKES);
    EXPECT_EQ(d->strokes[63].points[0][0], 63.0f);
    EXPECT_EQ(d->strokes[63].point_count, 2);

    std::string points = "<stroke>";
    for (int k = 0; k < 600; k++)
        points += "<pt><x>" + std::to_string(k) + "</x></pt>";
    auto p = parse_text(points + "</stroke>");
    ASSERT_EQ(p->stroke_count, 1);
    EXPECT_EQ(p->strokes[0].point_count, GML_MAX_POINTS);
    EXPECT_EQ(p->strokes[0].points[511][0], 511.0f);
}

TEST(GmlReader, OverlongTokensAreCutAndTheTextAfterThemStillReads)
{
    std::string long_tag(202, 'a');
    long_tag.front() = '<';
    long_tag.back() = '>';
    std::string long_number = std::string("0.25").append(200, '0');
    auto d = parse_text(long_tag + "<stroke><pt><x>" + long_number + "</x><y>0.5</y></pt></stroke>" + long_tag);
    ASSERT_EQ(d->stroke_count, 1);
    EXPECT_EQ(d->strokes[0].points[0][0], 0.25f);
    EXPECT_EQ(d->strokes[0].points[0][1], 0.5f);

    GmlToken token;
    std::string word = std::string(100, 'B') + " next";
    GmlReader reader = {reinterpret_cast<const uint8_t*>(word.data()), word.size(), 0, d.get(), GML_VALUE_NONE, 0};
    gml_next_token(&reader, &token);
    EXPECT_EQ(token.length, 63);
    EXPECT_EQ(std::string(token.text), std::string(63, 'b'));
    gml_next_token(&reader, &token);
    EXPECT_STREQ(token.text, "next");
}

TEST(GmlReader, DeepNestingDoesNotExhaustTheStack)
{
    std::string text;
    for (int i = 0; i < 200000; i++)
        text += "<tag>";
    text += "<stroke><pt><x>0.5</x></pt></stroke>";
    auto d = parse_text(text);
    EXPECT_EQ(d->stroke_count, 0);  // beyond the depth the start tags are plain text

    std::string values;
    for (int i = 0; i < 200000; i++)
        values += "<x>";
    auto v = parse_text("<stroke><pt>" + values);
    EXPECT_EQ(v->strokes[0].points[0][0], 0.0f);
}

TEST(GmlReader, BytesThatAreNotTextParseSafely)
{
    std::vector<uint8_t> bytes(1 << 20);
    uint32_t state = 12345;
    for (uint8_t& b : bytes) {
        state = state * 214013u + 2531011u;
        b = static_cast<uint8_t>(state >> 16);
    }
    // Tag-like bytes now and then, so that the elements really open.
    const char* tags[] = {"<stroke>", "<pt>", "<x>", "<gml ", "<!--", "</pt>", "</stroke>", "\0<", "=\""};
    for (size_t i = 0; i + 16 < bytes.size(); i += 97) {
        const char* tag = tags[(i / 97) % 9];
        for (size_t k = 0; tag[k] != '\0'; k++)
            bytes[i + k] = static_cast<uint8_t>(tag[k]);
    }
    auto d = new_drawing();
    parse_gml(bytes.data(), bytes.size(), d.get());
    EXPECT_GE(d->stroke_count, 0);
    EXPECT_LE(d->stroke_count, GML_MAX_STROKES);
    for (const GmlStroke& s : d->strokes) {
        EXPECT_GE(s.point_count, 0);
        EXPECT_LE(s.point_count, GML_MAX_POINTS);
    }
    EXPECT_LT(std::char_traits<char>::length(d->spec), static_cast<size_t>(GML_SPEC_SIZE));
}

TEST(GmlReader, LoadReportsAMissingFileWithItsPathAndReadsAPresentOne)
{
    auto d = parse_text("<stroke><pt></pt></stroke>");
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_gml("no/such/drawing.gml", d.get()), GML_LOAD_MISSING);
    EXPECT_EQ(load_gml("no/such/drawing.gml", nullptr), GML_LOAD_NO_DRAWING);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("ERROR!!! no/such/drawing.gml NOT FOUND!!"), std::string::npos) << said;
    EXPECT_NE(said.find("NO GRAPH TO LOAD INTO!"), std::string::npos) << said;
    EXPECT_EQ(d->stroke_count, 0);

    std::string path = testing::TempDir() + "graffiti_reader_test.gml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<gml spec=\"file\"><stroke><pt><x>0.5</x></pt></stroke></gml>", file);
    std::fclose(file);
    EXPECT_EQ(load_gml(path.c_str(), d.get()), GML_LOAD_OK);
    EXPECT_STREQ(d->spec, "file");
    EXPECT_EQ(d->stroke_count, 1);
    std::remove(path.c_str());
}
