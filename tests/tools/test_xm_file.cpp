// XM records to file image and back: packed cells, kept instruments, and damaged files refused.
#include <gtest/gtest.h>

#include "support/xm_writer.h"
#include "xm/xm_file.h"

namespace {

XmSong sample_song()
{
    XmSong song = xm_song(3);
    xm_add_pattern(&song, 8);
    xm_add_pattern(&song, 5);
    // Cells with every combination of present fields, including a bare parameter (arpeggio 0xy).
    *xm_cell(&song, 0, 0, 0) = {49, 1, 0x40, 0x0F, 0x06};
    *xm_cell(&song, 0, 1, 1) = {XM_NOTE_OFF, 0, 0, 0, 0};
    *xm_cell(&song, 0, 2, 2) = {0, 0, 0, 0, 0x37};
    *xm_cell(&song, 0, 7, 2) = {0, 1, 0x20, XM_EFFECT_SYNC, 0x00};
    *xm_cell(&song, 1, 4, 0) = {96, 0, 0, XM_EFFECT_BREAK, 0x10};
    song.orders = {0, 1, 0};
    song.restart = 2;
    song.bpm = 140;
    return song;
}

void expect_same_patterns(const XmSong& a, const XmSong& b)
{
    ASSERT_EQ(a.patterns.size(), b.patterns.size());
    for (size_t p = 0; p < a.patterns.size(); p++) {
        ASSERT_EQ(a.patterns[p].rows, b.patterns[p].rows);
        for (size_t i = 0; i < a.patterns[p].cells.size(); i++) {
            const XmCell& x = a.patterns[p].cells[i];
            const XmCell& y = b.patterns[p].cells[i];
            EXPECT_TRUE(x.note == y.note && x.instrument == y.instrument && x.volume == y.volume &&
                        x.effect == y.effect && x.parameter == y.parameter)
                << "pattern " << p << " cell " << i;
        }
    }
}

TEST(XmFile, ParsedImageKeepsHeaderCellsAndInstrumentsAndRebuildsIdentically)
{
    XmSong song = sample_song();
    std::vector<uint8_t> image = xm_build(song);
    XmSong read;
    std::string why;
    ASSERT_TRUE(xm_parse(image, &read, &why)) << why;
    EXPECT_EQ(read.name, "test song");
    EXPECT_EQ(read.channels, 3);
    EXPECT_EQ(read.restart, 2);
    EXPECT_EQ(read.bpm, 140);
    EXPECT_EQ(read.speed, 6);
    EXPECT_EQ(read.orders, song.orders);
    EXPECT_EQ(read.instrument_count, 1);
    expect_same_patterns(song, read);
    EXPECT_EQ(xm_build(read), image);  // instruments come back byte for byte
}

TEST(XmFile, AddedChannelsAreEmptyAndKeepEveryCellInPlace)
{
    XmSong song = sample_song();
    xm_add_channels(&song, 2);
    EXPECT_EQ(song.channels, 5);
    EXPECT_EQ(xm_cell(&song, 0, 0, 0)->note, 49);
    EXPECT_EQ(xm_cell(&song, 0, 2, 2)->parameter, 0x37);
    EXPECT_EQ(xm_cell(&song, 1, 4, 0)->effect, XM_EFFECT_BREAK);
    for (int32_t row = 0; row < 8; row++) {
        EXPECT_EQ(xm_cell(&song, 0, row, 4)->effect, 0);
    }
}

TEST(XmFile, DamagedImagesAreRefusedWithAReason)
{
    std::vector<uint8_t> good = xm_build(sample_song());
    struct Case {
        const char* name;
        size_t offset;  // byte to change; SIZE_MAX cuts the file at `value` bytes instead
        int32_t value;
    };
    const Case cases[] = {
        {"signature", 0, 'X'},
        {"no channels", 68, 0},
        {"order names a missing pattern", 80, 9},
        {"pattern rows zero", 336 + 5, 0},
        {"cut inside the header", SIZE_MAX, 50},
        {"cut inside a pattern", SIZE_MAX, 345},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        if (c.offset == SIZE_MAX) {
            bad.resize(static_cast<size_t>(c.value));
        } else {
            bad[c.offset] = static_cast<uint8_t>(c.value);
        }
        XmSong read;
        std::string why;
        EXPECT_FALSE(xm_parse(bad, &read, &why)) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
    }
}

}  // namespace
