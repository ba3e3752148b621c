#include "platform/rtf/tables.h"

#include <algorithm>

namespace rtf {
namespace {

constexpr int kMaxListLevels = 9;

Numbering numberingForLevelFormat(int nfc)
{
    switch (nfc) {
    case 1:
        return Numbering::UpperRoman;
    case 2:
        return Numbering::LowerRoman;
    case 3:
        return Numbering::UpperLetter;
    case 4:
        return Numbering::LowerLetter;
    case 23:
        return Numbering::Bullet;
    case 255:
        return Numbering::None;
    default:
        return Numbering::Decimal;
    }
}

} // namespace

void Tables::beginFont(int id)
{
    commitFont();
    m_fontId = id;
}

void Tables::appendToFontName(char16_t c)
{
    if (m_fontId && c >= 0x20 && c != u';')
        m_font.name.append(QChar(c));
}

void Tables::appendByteToFontName(unsigned char byte, int ansiCodePage)
{
    if (!m_fontId || byte < 0x20)
        return;
    const int cp =
        m_font.codePage > 0 ? m_font.codePage : codePageForCharset(m_font.charset, ansiCodePage);
    if (cp != m_nameCodePage) {
        m_nameDecoder = ByteDecoder(cp);
        m_nameCodePage = cp;
    }
    m_font.name.append(QChar(m_nameDecoder.decode(byte)));
}

void Tables::commitFont()
{
    if (m_fontId) {
        m_font.name = m_font.name.trimmed();
        m_fonts.insert(*m_fontId, m_font);
        ++m_generation;
    }
    m_fontId.reset();
    m_font = Font{};
}

const Tables::Font *Tables::font(int id) const
{
    const auto it = m_fonts.constFind(id);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}

int Tables::codePageOf(int id, int ansiCodePage) const
{
    const Font *f = font(id);
    if (!f)
        return ansiCodePage;
    if (f->codePage > 0)
        return f->codePage;
    return codePageForCharset(f->charset, ansiCodePage);
}

void Tables::setComponent(int &component, int v)
{
    component = std::clamp(v, 0, 255);
    m_colourSet = true;
}

void Tables::commitColour()
{
    if (m_colourSet)
        m_colours.append(qRgb(m_red, m_green, m_blue));
    else
        m_colours.append(std::nullopt);
    m_red = m_green = m_blue = 0;
    m_colourSet = false;
    ++m_generation;
}

std::optional<QRgb> Tables::colour(int index) const
{
    if (index <= 0 || index >= m_colours.size())
        return std::nullopt;
    return m_colours[index];
}

void Tables::beginList()
{
    m_listBeingRead.clear();
    m_listId = 0;
}

void Tables::addListLevel()
{
    if (m_listBeingRead.size() < kMaxListLevels)
        m_listBeingRead.append(Numbering::Decimal);
}

void Tables::setLevelFormat(int nfc)
{
    if (!m_listBeingRead.isEmpty())
        m_listBeingRead.last() = numberingForLevelFormat(nfc);
}

void Tables::commitList()
{
    m_listLevels.insert(m_listId, m_listBeingRead);
    beginList();
}

void Tables::beginOverride()
{
    m_overrideListId = 0;
    m_overrideIndex = 0;
}

void Tables::commitOverride()
{
    if (m_overrideIndex > 0)
        m_listOverrides.insert(m_overrideIndex, m_overrideListId);
    beginOverride();
}

Numbering Tables::numberingOf(int ls, int level) const
{
    const auto levels = m_listLevels.constFind(m_listOverrides.value(ls, -1));
    if (levels == m_listLevels.constEnd() || levels->isEmpty())
        return Numbering::Bullet;
    return levels->value(std::clamp<qsizetype>(level, 0, levels->size() - 1));
}

} // namespace rtf
