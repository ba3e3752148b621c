#include "platform/codepage.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = cp1250::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1250::encode(text), all);
}

struct Mapping {
    unsigned char byte;
    char16_t character;
};

void PrintTo(const Mapping &c, std::ostream *os)
{
    *os << velkor_test::describe(int(c.byte), c.character);
}

class CodePageMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(CodePageMapping, DecodesAndEncodes)
{
    const Mapping m = GetParam();
    const QByteArray bytes(1, static_cast<char>(m.byte));
    EXPECT_EQ(cp1250::decode(bytes), QString(QChar(m.character)));
    EXPECT_EQ(cp1250::encode(QString(QChar(m.character))), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    HungarianAndSpecialBytes, CodePageMapping,
    ::testing::Values(Mapping{0xd5, u'Ő'}, Mapping{0xf5, u'ő'}, Mapping{0xdb, u'Ű'},
                      Mapping{0xfb, u'ű'}, Mapping{0xe1, u'á'}, Mapping{0x80, u'€'},
                      Mapping{0x8a, u'Š'}, Mapping{0x84, u'„'}, Mapping{0x81, 0x81},
                      Mapping{0x83, 0x83}, Mapping{0x88, 0x88}, Mapping{0x90, 0x90},
                      Mapping{0x98, 0x98}, Mapping{0xff, u'˙'}, Mapping{0xa0, 0xa0},
                      Mapping{0x41, u'A'}),
    [](const auto &info) { return velkor_test::caseName("Byte", int(info.param.byte)); });

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // ô is in the code page, õ and û are not; the emoji is a surrogate pair.
    const QString text = QStringLiteral("rôle õ û ") + QString::fromUcs4(U"\U0001F600") +
                         QStringLiteral("!");
    EXPECT_EQ(cp1250::encode(text), QByteArray("r\xf4le ? ? ?!"));
    EXPECT_FALSE(cp1250::canEncode(QStringLiteral("û")));
    EXPECT_TRUE(cp1250::canEncode(QStringLiteral("árvíztűrő tükörfúrógép")));
}

TEST(CodePage, LoneSurrogateIsOneQuestionMark)
{
    QString text;
    text.append(QChar(0xd800));
    text.append(QChar(u'x'));
    EXPECT_EQ(cp1250::encode(text), QByteArray("?x"));
}

} // namespace
