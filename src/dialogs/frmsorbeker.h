#pragma once

#include <QDialog>

// The window of the input-line dialog, created once at start-up.
class TfrmSorBeker final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSorBeker(QWidget *parent = nullptr);
};
