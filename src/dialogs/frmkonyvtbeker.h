#pragma once

#include <QDialog>

// The window of the folder chooser, created once at start-up.
class TfrmKonyvtBeker final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKonyvtBeker(QWidget *parent = nullptr);
};
