#pragma once

#include "support/dictionary_fixture.h"

#include "browser/dictionarypage.h"
#include "store/appstate.h"
#include "store/dm1.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <memory>
#include <vector>

// The dictionary tab on a temporary Angol_Magyar dictionary, opened as the
// program opens one: direction applied, table opened, ordered by source,
// first row current. Every test runs the grid's model under Qt's model
// checker.
class BrowserFixture : public DictionaryFixture {
public:
    using Pairs = std::vector<Pair>;

protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        page = std::make_unique<DictionaryPage>(dm, state, nullptr);
        checker = std::make_unique<QAbstractItemModelTester>(
            grid()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        page->resize(900, 400);
        page->show();
        QApplication::setActiveWindow(page.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    void TearDown() override
    {
        checker.reset();
        page.reset();
    }

    void open(const Pairs &pairs, bool secondToFirst = false)
    {
        createDictionary();
        {
            auto writer = makeTable();
            writer->open();
            addAll(*writer, pairs);
        }
        state.FromColumn = QStringLiteral("Angol");
        state.ToColumn = QStringLiteral("Magyar");
        dm.ApplyDirection(state, secondToFirst);
        table().setDatabaseName(dir.path());
        table().setTableName(QStringLiteral("Angol_Magyar.DB"));
        table().open();
        page->OrderBySource();
        table().first();
    }

    store::Table &table() { return dm.tblSzotarP; }
    template <typename T = QWidget> T *find(const char16_t *name) const
    {
        return page->findChild<T *>(QString::fromUtf16(name));
    }
    QTableView *grid() const { return find<QTableView>(u"dbgrSzotar"); }
    QLineEdit *searchBox() const { return find<QLineEdit>(u"edtKeres"); }
    QAbstractItemModel *model() const { return grid()->model(); }
    QHeaderView *titles() const { return grid()->horizontalHeader(); }

    QString source() const { return dm.tblSzotarPAngol->asString(); }
    QString target() const { return dm.tblSzotarPMagyar->asString(); }
    bool searchBoxGreen() const
    {
        return searchBox()->palette().color(QPalette::Base) == QColor(0x7D, 0xFF, 0x7D);
    }
    bool searchBoxWhite() const
    {
        return searchBox()->palette().color(QPalette::Base) == QColor(0xFF, 0xFF, 0xFF);
    }
    int sourceColumn() const { return (state.ToColumnIndex + 1) % 2; }
    int targetColumn() const { return state.ToColumnIndex; }
    QString cell(int row, int column) const
    {
        return model()->index(row, column).data().toString();
    }
    QString title(int column) const
    {
        return model()->headerData(column, Qt::Horizontal).toString();
    }
    // The row the grid shows as current, checked against the table's.
    int gridRow() const
    {
        const int row = grid()->currentIndex().row();
        EXPECT_EQ(row, dm.tblSzotarP.recNo()) << "the grid does not follow the table";
        return row;
    }

    // Key by key, as typed; QTest::keyClicks knows ASCII only.
    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            const auto key = Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
        }
    }
    void typeSearch(const QString &text)
    {
        searchBox()->clear();
        typeInto(searchBox(), text);
    }

    void clickTitle(int column)
    {
        const int x = titles()->sectionViewportPosition(column) + 10;
        QTest::mouseClick(titles()->viewport(), Qt::LeftButton, {},
                          QPoint(x, titles()->height() / 2));
    }

    TDM1 dm;
    AppState state;
    std::unique_ptr<DictionaryPage> page;
    std::unique_ptr<QAbstractItemModelTester> checker;
};
