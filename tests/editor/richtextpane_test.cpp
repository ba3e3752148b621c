// Rich text pasted into the panes keeps its formatting but never makes the
// program read the files its pictures name.
#include "editor/richtextpane.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void putHtmlOnClipboard(const QString &html)
{
    auto *data = new QMimeData;
    data->setHtml(html);
    data->setText(u"bold"_s);
    QApplication::clipboard()->setMimeData(data);
}

QString imageHtml(const QString &source)
{
    return u"<p><b>bold</b><img src=\""_s + source + u"\"></p>"_s;
}

// The names of the pictures in the document.
QStringList pictureNames(const QTextDocument &document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                names << format.toImageFormat().name();
        }
    }
    return names;
}

bool hasBoldText(const QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(u"bold"_s) &&
                it.fragment().charFormat().fontWeight() >= QFont::Bold)
                return true;
        }
    }
    return false;
}

// The picture the document shows for name; drawing the pane asks the same.
QImage shownPicture(QTextDocument &document, const QString &name)
{
    return qvariant_cast<QImage>(document.resource(QTextDocument::ImageResource, QUrl(name)));
}

class RichTextPaneTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void pasteAndShow(const QString &html)
    {
        putHtmlOnClipboard(html);
        pane.paste();
        pane.resize(300, 200);
        pane.show();
        pane.repaint();
    }

    QTemporaryDir dir;
    RichTextPane pane;
};

TEST_F(RichTextPaneTest, APictureFromALocalFileIsNotRead)
{
    const QString path = dir.filePath(u"kep.png"_s);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path));
    const QString url = QUrl::fromLocalFile(path).toString();
    pasteAndShow(imageHtml(url));
    EXPECT_TRUE(hasBoldText(*pane.document()));
    ASSERT_EQ(pictureNames(*pane.document()), QStringList{url});
    EXPECT_TRUE(shownPicture(*pane.document(), url).isNull());
}

TEST_F(RichTextPaneTest, APictureFromAFifoReturnsAtOnce)
{
    const QString path = dir.filePath(u"cso"_s);
    ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    // A writer that notices when anyone opens the FIFO for reading; nobody
    // may, or the paste would wait for it.
    std::atomic<bool> readerCame{false};
    std::thread writer([&] {
        const int fd = open(path.toLocal8Bit().constData(), O_WRONLY);
        if (fd < 0)
            return;
        readerCame = true;
        close(fd);
    });
    pasteAndShow(imageHtml(QUrl::fromLocalFile(path).toString()));
    EXPECT_TRUE(hasBoldText(*pane.document()));
    // Let the writer go: open the reading end ourselves, without waiting.
    const bool pasteRead = readerCame.load();
    const int fd = open(path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    if (fd >= 0)
        close(fd);
    EXPECT_FALSE(pasteRead);
}

TEST_F(RichTextPaneTest, RelativeAndNetworkSourcesAreNotLoaded)
{
    // A plain path such as /dev/zero would be read until memory runs out.
    for (const QString &source : {u"http://example.invalid/kep.png"_s, u"kep.png"_s}) {
        pane.clear();
        pasteAndShow(imageHtml(source));
        EXPECT_TRUE(shownPicture(*pane.document(), source).isNull()) << source.toStdString();
    }
}

TEST_F(RichTextPaneTest, APictureCarriedInTheTextIsShown)
{
    QImage blue(3, 2, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(blue.save(&buffer, "PNG"));
    const QString url = u"data:image/png;base64,"_s + QString::fromLatin1(png.toBase64());
    pasteAndShow(imageHtml(url));
    ASSERT_EQ(pictureNames(*pane.document()).size(), 1);
    const QImage shown = shownPicture(*pane.document(), pictureNames(*pane.document())[0]);
    EXPECT_EQ(shown.size(), QSize(3, 2));
}

TEST_F(RichTextPaneTest, ImageDataOnTheClipboardIsPastedAsAPicture)
{
    QImage green(5, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    auto *data = new QMimeData;
    data->setImageData(green);
    QApplication::clipboard()->setMimeData(data);
    for (int paste = 0; paste < 2; ++paste)
        pane.paste();
    const QStringList names = pictureNames(*pane.document());
    ASSERT_EQ(names.size(), 2);
    EXPECT_NE(names[0], names[1]) << "each picture keeps a name of its own";
    EXPECT_EQ(shownPicture(*pane.document(), names[1]).size(), QSize(5, 4));
}

} // namespace
