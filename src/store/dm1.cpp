#include "store/dm1.h"

namespace {

const QString kDesignDirectory = QStringLiteral("C:\\Vegyes\\Szótár_QIV_Win_kar");

// Two names no language field can have, used while the names are exchanged.
const QString kParkedSource = QStringLiteral("~forras~");
const QString kParkedTarget = QStringLiteral("~cel~");

void bindFields(store::Field &source, store::Field &target, const AppState &state)
{
    source.setFieldName(kParkedSource);
    target.setFieldName(kParkedTarget);
    source.setFieldName(state.FromColumn);
    source.setDisplayLabel(state.FromColumn);
    target.setFieldName(state.ToColumn);
    target.setDisplayLabel(state.ToColumn);
}

} // namespace

TDM1::TDM1(QObject *parent)
    : QObject(parent), tblSzotarP(session, this), tblSzotarP2(session, this),
      tblEllen(session, this), dsSzotar(tblSzotarP, this)
{
    setObjectName(QStringLiteral("DM1"));
    tblSzotarP.setObjectName(QStringLiteral("tblSzotarP"));
    tblSzotarP2.setObjectName(QStringLiteral("tblSzotarP2"));
    tblEllen.setObjectName(QStringLiteral("tblEllen"));
    dsSzotar.setObjectName(QStringLiteral("dsSzotar"));
    for (store::Table *table : {&tblSzotarP, &tblSzotarP2, &tblEllen}) {
        table->setDatabaseName(kDesignDirectory);
        table->setTableName(QStringLiteral("Angol_Magyar.DB"));
    }
    tblSzotarPAzon = tblSzotarP.addField(QStringLiteral("Azon"), store::FieldType::Integer);
    tblSzotarPAngol = tblSzotarP.addField(QStringLiteral("Angol"));
    tblSzotarPMagyar = tblSzotarP.addField(QStringLiteral("Magyar"));
    tblSzotarP2Azon = tblSzotarP2.addField(QStringLiteral("Azon"), store::FieldType::Integer);
    tblSzotarP2Angol = tblSzotarP2.addField(QStringLiteral("Angol"));
    tblSzotarP2Magyar = tblSzotarP2.addField(QStringLiteral("Magyar"));
}

void TDM1::ApplyDirection(AppState &state, bool secondToFirst)
{
    state.ToColumnIndex = 1;
    if (secondToFirst) {
        std::swap(state.FromColumn, state.ToColumn);
        state.ToColumnIndex = 0;
    }
    bindFields(*tblSzotarPAngol, *tblSzotarPMagyar, state);
    bindFields(*tblSzotarP2Angol, *tblSzotarP2Magyar, state);
    Q_EMIT directionApplied();
}
