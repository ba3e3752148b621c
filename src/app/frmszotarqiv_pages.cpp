// The pages that work on the data module: they join the window when it
// arrives, before the first show.
#include "app/frmszotarqiv.h"

#include "browser/dictionarypage.h"
#include "dialogs/questions.h"
#include "store/dm1.h"
#include "translator/textpane.h"
#include "translator/translationpopup.h"

#include <QCheckBox>
#include <QFrame>
#include <QTabWidget>
#include <QTextEdit>

void TfrmSzotarQIV::setDataModule(TDM1 *dm)
{
    DM1 = dm;
    const bool wasCurrent = pcFo->currentIndex() == 1;
    m_suppressPageHandlers = true;
    auto *page = new DictionaryPage(*dm, m_state, pcFo);
    page->setObjectName(QStringLiteral("tsSzotar"));
    pcFo->removeTab(1);
    delete tsSzotar;
    tsSzotar = page;
    m_dictionaryPage = page;
    pcFo->insertTab(1, page, QStringLiteral("Szótár"));
    if (wasCurrent)
        pcFo->setCurrentIndex(1);
    m_suppressPageHandlers = false;

    m_popup = new translator::TranslationPopup(*dm, reSzov, pnlSzov);
    m_popup->hide();
    m_popup->setStemming(chbSzoto->isChecked());
    m_textPane->setDataModule(dm, m_popup);
    connect(m_popup, &translator::TranslationPopup::lookupFailed, this,
            [](const QString &message) { ShowInfo(message); });
}

void TfrmSzotarQIV::OrderBySource()
{
    if (m_dictionaryPage)
        m_dictionaryPage->OrderBySource();
}

void TfrmSzotarQIV::OrderByTarget()
{
    if (m_dictionaryPage)
        m_dictionaryPage->OrderByTarget();
}

void TfrmSzotarQIV::setOrderCaptions()
{
    if (m_dictionaryPage)
        m_dictionaryPage->SetOrderCaptions();
}

void TfrmSzotarQIV::tsSzotarEnter()
{
    if (m_dictionaryPage)
        m_dictionaryPage->tsSzotarEnter(m_popup && m_popup->isPopupShown(),
                                        m_popup ? m_popup->popupWord() : QString());
}

void TfrmSzotarQIV::dictionaryColumnWidths(int width)
{
    if (m_dictionaryPage)
        m_dictionaryPage->FitGridColumns(width);
}
