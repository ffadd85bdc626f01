// The key parser: lone Escape by timeout, whole sequences, Alt+key, split reads.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/keyboard.h"
#include "platform/terminal_input.h"

namespace {

void feed(KeyParser* parser, const char* bytes)
{
    key_parser_feed(parser, reinterpret_cast<const uint8_t*>(bytes), static_cast<int32_t>(std::strlen(bytes)));
}

// Every key the parser gives at time now_ms until it gives none.
std::vector<int32_t> keys_at(KeyParser* parser, uint32_t now_ms)
{
    std::vector<int32_t> keys;
    for (int32_t key = key_parser_next(parser, now_ms); key != KEY_NONE; key = key_parser_next(parser, now_ms)) {
        keys.push_back(key);
    }
    return keys;
}

using Keys = std::vector<int32_t>;

TEST(KeyParser, LoneEscapeCountsOnlyAfterTheTimeout)
{
    KeyParser parser{};
    feed(&parser, "\x1b");
    EXPECT_EQ(keys_at(&parser, 1000), Keys{});
    EXPECT_EQ(keys_at(&parser, 1049), Keys{});
    EXPECT_EQ(keys_at(&parser, 1050), Keys{KEY_ESCAPE});
    EXPECT_EQ(parser.length, 0);

    // Around a wrap of the millisecond counter.
    feed(&parser, "\x1b");
    EXPECT_EQ(keys_at(&parser, 0xFFFFFFF0u), Keys{});
    EXPECT_EQ(keys_at(&parser, 0x00000010u), Keys{});
    EXPECT_EQ(keys_at(&parser, 0x00000022u), Keys{KEY_ESCAPE});
}

TEST(KeyParser, SequencesAreConsumedWholeAndNeverEscape)
{
    KeyParser parser{};
    // Up, F5 with a modifier, Linux console F1, SS3 F1, xterm SS3 with a
    // parameter, then a plain key.
    feed(&parser, "\x1b[A\x1b[15;5~\x1b[[A\x1bOP\x1bO2Pq");
    EXPECT_EQ(keys_at(&parser, 0), (Keys{KEY_OTHER, KEY_OTHER, KEY_OTHER, KEY_OTHER, KEY_OTHER, 'q'}));
}

TEST(KeyParser, EscapeThenAKeyIsAltKey)
{
    KeyParser parser{};
    feed(&parser, "\x1bxy\x1b\r");
    EXPECT_EQ(keys_at(&parser, 0), (Keys{KEY_OTHER, 'y', KEY_OTHER}));
    // Alt+[ and Alt+O look like unfinished sequences until the timeout.
    feed(&parser, "\x1b[");
    EXPECT_EQ(keys_at(&parser, 0), Keys{});
    EXPECT_EQ(keys_at(&parser, 60), Keys{KEY_OTHER});
    feed(&parser, "\x1bO");
    EXPECT_EQ(keys_at(&parser, 100), Keys{});
    EXPECT_EQ(keys_at(&parser, 150), Keys{KEY_OTHER});
}

TEST(KeyParser, SequenceSplitAcrossReadsIsJoined)
{
    KeyParser parser{};
    feed(&parser, "\x1b");
    EXPECT_EQ(keys_at(&parser, 10), Keys{});
    feed(&parser, "[1;");
    EXPECT_EQ(keys_at(&parser, 30), Keys{});
    feed(&parser, "5Cz");
    EXPECT_EQ(keys_at(&parser, 55), (Keys{KEY_OTHER, 'z'})) << "complete before the wait ran out";

    // An unfinished sequence that never completes is dropped whole.
    feed(&parser, "\x1b[12");
    EXPECT_EQ(keys_at(&parser, 100), Keys{});
    EXPECT_EQ(keys_at(&parser, 150), Keys{KEY_OTHER});
    EXPECT_EQ(parser.length, 0);
}

TEST(KeyParser, EscapeTwiceQuitsAndAltArrowDoesNot)
{
    KeyParser parser{};
    feed(&parser, "\x1b\x1bq");
    EXPECT_EQ(keys_at(&parser, 0), (Keys{KEY_ESCAPE, KEY_OTHER}));  // Escape, then Alt+q
    feed(&parser, "\x1b\x1b[A");
    EXPECT_EQ(keys_at(&parser, 0), Keys{KEY_OTHER});
    feed(&parser, "\x1b\x1b");
    EXPECT_EQ(keys_at(&parser, 0), Keys{});
    EXPECT_EQ(keys_at(&parser, 50), Keys{KEY_ESCAPE});
    // The second one waits its own time: it may yet start Alt+something.
    EXPECT_EQ(keys_at(&parser, 99), Keys{});
    EXPECT_EQ(keys_at(&parser, 100), Keys{KEY_ESCAPE});
}

TEST(KeyParser, ControlByteInsideASequenceStartsTheNextKey)
{
    KeyParser parser{};
    feed(&parser, "\x1b[1\x1b");
    EXPECT_EQ(keys_at(&parser, 0), Keys{KEY_OTHER});
    EXPECT_EQ(keys_at(&parser, 50), Keys{KEY_ESCAPE});
}

TEST(KeyParser, JunkAndOverflowStayBounded)
{
    KeyParser parser{};
    std::string junk = "\x1b[" + std::string(40, '1');
    feed(&parser, junk.c_str());
    EXPECT_EQ(keys_at(&parser, 0), (Keys{KEY_OTHER, '1', '1', '1', '1', '1', '1', '1', '1', '1', '1'}));
    std::string many(100, 'k');
    EXPECT_EQ(key_parser_feed(&parser, reinterpret_cast<const uint8_t*>(many.data()), 100), KEY_QUEUE_CAPACITY);
    EXPECT_EQ(key_parser_space(&parser), 0);
    EXPECT_EQ(key_parser_next(&parser, 0), 'k');
}

TEST(Keyboard, InjectedBytesGoThroughTheSameParser)
{
    platform_key_inject("\x1b[B", 3);
    platform_key_inject("a", 1);
    EXPECT_EQ(platform_key_poll(), KEY_OTHER);
    EXPECT_EQ(platform_key_poll(), 'a');
    EXPECT_EQ(platform_key_poll(), KEY_NONE);
}

}  // namespace
