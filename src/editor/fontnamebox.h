#pragma once

#include <QComboBox>

// The font-name box: each name drawn in its own font at the box's size,
// and a signal when the list closes, chosen or not.
class FontNameBox final : public QComboBox {
    Q_OBJECT
public:
    explicit FontNameBox(QWidget *parent = nullptr);

    void hidePopup() override;

Q_SIGNALS:
    void closedUp();
};
