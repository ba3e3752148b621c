#include "platform/textencoding.h"
#include "support/fail_device.h"
#include "support/printers.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using platform::TextEncoding;

struct Detection {
    const char *name;
    QByteArray bytes;
    TextEncoding expected;
};

void PrintTo(const Detection &c, std::ostream *os)
{
    *os << c.name;
}

class TextEncodingDetection : public ::testing::TestWithParam<Detection> {};

TEST_P(TextEncodingDetection, InMemoryAndFromADevice)
{
    const Detection &c = GetParam();
    EXPECT_EQ(platform::DetectTextEncoding(c.bytes), c.expected);

    QByteArray copy = c.bytes;
    QBuffer device(&copy);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    ASSERT_TRUE(device.seek(0));
    EXPECT_EQ(platform::DetectTextEncoding(device), c.expected);
    EXPECT_EQ(device.pos(), 0) << "the device is put back where it was";
}

// A device whose reads come back short used to miss the byte-order mark
// and to give up on a letter cut between two reads.
TEST_P(TextEncodingDetection, ShortReadsGiveTheSameVerdict)
{
    const Detection &c = GetParam();
    for (const qint64 step : {qint64(1), qint64(2), qint64(4093)}) {
        if (step < 4093 && c.bytes.size() > 65536)
            continue; // a byte at a time through megabytes proves nothing more
        ShortReadDevice device(c.bytes, step);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        char probe[8];
        ASSERT_LE(device.peek(probe, sizeof probe), step) << "the device reads short";
        EXPECT_EQ(platform::DetectTextEncoding(device), c.expected) << "reads of " << step;
        EXPECT_EQ(device.pos(), 0);
    }
}

// "árvíztűrő" in UTF-8 and in Windows-1250.
const QByteArray kUtf8Word = QByteArrayLiteral("\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91");
const QByteArray kCp1250Word = QByteArrayLiteral("\xE1rv\xEDzt\xFBr\xF5");

INSTANTIATE_TEST_SUITE_P(
    Files, TextEncodingDetection,
    ::testing::Values(
        Detection{"Empty", {}, TextEncoding::Windows1250},
        Detection{"PureAscii", "apple alma\r\n", TextEncoding::Windows1250},
        Detection{"Utf8Accents", "alma\t" + kUtf8Word, TextEncoding::Utf8},
        Detection{"ByteOrderMark",
                  "\xEF\xBB\xBF"
                  "apple",
                  TextEncoding::Utf8WithBom},
        Detection{"ByteOrderMarkThenCp1250", QByteArray("\xEF\xBB\xBF") + kCp1250Word,
                  TextEncoding::Windows1250},
        Detection{"Cp1250Accents", kCp1250Word, TextEncoding::Windows1250},
        Detection{"SequenceCutAtTheEnd", "alma\xC3", TextEncoding::Windows1250},
        Detection{"OverlongSlash", "\xC0\xAF", TextEncoding::Windows1250},
        Detection{"EncodedSurrogate", "\xED\xA0\x80", TextEncoding::Windows1250},
        Detection{"AboveUnicode", "\xF4\x90\x80\x80", TextEncoding::Windows1250},
        Detection{"FourByteEmoji", "\xF0\x9F\x98\x80", TextEncoding::Utf8},
        Detection{"ValidThenInvalid", kUtf8Word + kCp1250Word, TextEncoding::Windows1250},
        // A letter across the first mebibyte used to read as Windows-1250.
        Detection{"LetterAcrossTheFirstMebibyte", QByteArray((1 << 20) - 1, 'a') + kUtf8Word,
                  TextEncoding::Utf8},
        Detection{"ByteOrderMarkAcrossTheFirstMebibyteLetter",
                  QByteArray("\xEF\xBB\xBF") + QByteArray((1 << 20) - 4, 'a') + kUtf8Word,
                  TextEncoding::Utf8WithBom}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextEncoding, SequencesSplitBetweenPiecesStayValid)
{
    platform::Utf8Scanner scanner;
    for (const char byte : kUtf8Word)
        scanner.feed(QByteArrayView(&byte, 1));
    EXPECT_TRUE(scanner.valid());
    EXPECT_TRUE(scanner.sawNonAscii());
}

TEST(TextEncoding, DeviceScanReadsPastTheFirstPiece)
{
    // The only non-ASCII byte lies beyond the first megabyte.
    QByteArray bytes(3 << 20, 'a');
    bytes.append(kUtf8Word);
    QBuffer device(&bytes);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::DetectTextEncoding(device), TextEncoding::Utf8);
    bytes.append(kCp1250Word);
    device.seek(0);
    EXPECT_EQ(platform::DetectTextEncoding(device), TextEncoding::Windows1250);
}

TEST(TextEncoding, DecodeAndEncodeRoundTripInEachEncoding)
{
    const QString word = QStringLiteral("árvíztűrő");
    for (TextEncoding e :
         {TextEncoding::Windows1250, TextEncoding::Utf8, TextEncoding::Utf8WithBom}) {
        const QByteArray bytes = platform::EncodeText(word, e);
        EXPECT_EQ(platform::DecodeText(bytes, e), word) << int(e);
        EXPECT_EQ(platform::DetectTextEncoding(bytes), e) << int(e);
    }
    EXPECT_EQ(platform::DecodeText("\xEF\xBB\xBF"
                                   "a",
                                   TextEncoding::Utf8),
              QStringLiteral("a"));
}

TEST(TextEncoding, NewTextKeepsWindows1250UnlessItWouldLoseCharacters)
{
    EXPECT_EQ(platform::EncodingForNewText(u"tükörfúrógép"), TextEncoding::Windows1250);
    EXPECT_EQ(platform::EncodingForNewText(u"señor õ"), TextEncoding::Utf8);
    EXPECT_EQ(platform::EncodingForNewText(u"Привет"), TextEncoding::Utf8);
}

} // namespace
