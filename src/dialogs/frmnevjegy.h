#pragma once

#include <QDialog>

// The window of the about box, created once at start-up.
class TfrmNevjegy final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNevjegy(QWidget *parent = nullptr);
};
