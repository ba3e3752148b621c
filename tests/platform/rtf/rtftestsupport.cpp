#include "rtftestsupport.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

namespace rtftest {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(VELKOR_RTF_FIXTURES "/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name;
        return {};
    }
    return file.readAll();
}

QStringList paragraphs(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out.append(b.text());
    return out;
}

QString familyOf(const QTextDocument &doc, const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? doc.defaultFont().family() : families.first();
}

double pointSizeOf(const QTextDocument &doc, const QTextCharFormat &f)
{
    return f.fontPointSize() > 0 ? f.fontPointSize() : doc.defaultFont().pointSizeF();
}

namespace {

QString describeChars(const QTextDocument &doc, const QTextCharFormat &f)
{
    QString colour = QStringLiteral("auto");
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        colour = f.foreground().color().name();
    const QString script =
        f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? QStringLiteral(" sup")
        : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? QStringLiteral(" sub")
                                                                   : QString();
    return QStringLiteral("%1 %2pt%3%4%5%6%7%9 %8")
        .arg(familyOf(doc, f))
        .arg(pointSizeOf(doc, f))
        .arg(f.fontFixedPitch() ? QStringLiteral(" fixed") : QString())
        .arg(f.fontWeight() >= QFont::DemiBold ? QStringLiteral(" b") : QString())
        .arg(f.fontItalic() ? QStringLiteral(" i") : QString())
        .arg(f.fontUnderline() ? QStringLiteral(" u") : QString())
        .arg(f.fontStrikeOut() ? QStringLiteral(" s") : QString())
        .arg(colour)
        .arg(script);
}

QString describeParagraph(const QTextBlock &b, QList<const QTextList *> &lists)
{
    const QTextBlockFormat f = b.blockFormat();
    QString tabs;
    for (const QTextOption::Tab &t : f.tabPositions())
        tabs += QStringLiteral(" %1@%2").arg(int(t.type)).arg(t.position);
    QString list = QStringLiteral("none");
    if (const QTextList *l = b.textList()) {
        if (!lists.contains(l))
            lists.append(l);
        // Which list, in order of appearance, so that merged or split lists show.
        list = QStringLiteral("%1/%2#%3")
                   .arg(int(l->format().style()))
                   .arg(l->format().indent())
                   .arg(lists.indexOf(l) + 1);
    }
    return QStringLiteral("align=%1 left=%2 right=%3 first=%4 before=%7 after=%8 tabs=[%5] list=%6")
        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
        .arg(f.leftMargin())
        .arg(f.rightMargin())
        .arg(f.textIndent())
        .arg(tabs)
        .arg(list)
        .arg(f.topMargin())
        .arg(f.bottomMargin());
}

} // namespace

QString describe(const QTextDocument &doc)
{
    QString out;
    QList<const QTextList *> lists;
    int index = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++index) {
        out += QStringLiteral("P%1 %2\n").arg(index).arg(describeParagraph(b, lists));
        QString runKey;
        QString runText;
        const auto endRun = [&] {
            if (!runText.isEmpty())
                out += QStringLiteral("  [%1] %2\n").arg(runKey, runText);
            runText.clear();
        };
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const QString key = describeChars(doc, fr.charFormat());
            if (key != runKey)
                endRun();
            runKey = key;
            runText += fr.text();
        }
        endRun();
        if (b.length() <= 1)
            out += QStringLiteral("  [%1] (empty)\n").arg(describeChars(doc, b.charFormat()));
    }
    return out;
}

QTextCharFormat formatOf(const QTextDocument &doc, int block, const QString &needle)
{
    const QTextBlock b = doc.findBlockByNumber(block);
    const qsizetype at = b.text().indexOf(needle);
    if (!b.isValid() || at < 0) {
        ADD_FAILURE() << "no \"" << needle.toStdString() << "\" in paragraph " << block;
        return {};
    }
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment fr = it.fragment();
        const int start = fr.position() - b.position();
        if (at >= start && at < start + fr.length())
            return fr.charFormat();
    }
    return {};
}

} // namespace rtftest
