#pragma once

#include <QDialog>

// The find and replace dialog, one instance for the run (`frmSzoKeres`),
// created at start-up. Its controls and searching come with the find and
// replace commands; for now it is the empty, named window.
class TfrmSzoKeres final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSzoKeres(QWidget *parent = nullptr);
};
