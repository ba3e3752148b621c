#pragma once

#include "store/appstate.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QObject>

// Connects the open dictionary table to the views that show it.
class TDataSource final : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(store::Table &table, QObject *parent = nullptr)
        : QObject(parent), m_table(table)
    {}
    store::Table &dataSet() const { return m_table; }

private:
    store::Table &m_table;
};

// The data module: the dictionary table components every part of the
// program works through, and their field components. Whatever the
// direction, tblSzotarPAngol reads the source text of the current row and
// tblSzotarPMagyar the target text.
class TDM1 final : public QObject {
    Q_OBJECT
public:
    explicit TDM1(QObject *parent = nullptr);

    // Sets FromColumn, ToColumn and ToColumnIndex for the direction and binds
    // the field components to them. secondToFirst: the direction from the
    // dictionary's second language to its first. The tables must be closed.
    void ApplyDirection(AppState &state, bool secondToFirst);

    store::Session session;
    store::Table tblSzotarP;
    store::Table tblSzotarP2;
    store::Table tblEllen;
    TDataSource dsSzotar;

    store::Field *tblSzotarPAzon;
    store::Field *tblSzotarPAngol;
    store::Field *tblSzotarPMagyar;
    store::Field *tblSzotarP2Azon;
    store::Field *tblSzotarP2Angol;
    store::Field *tblSzotarP2Magyar;

Q_SIGNALS:
    // The field names changed; views re-read their columns.
    void directionApplied();
};
