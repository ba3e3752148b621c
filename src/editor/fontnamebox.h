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
    // The list the user saw has closed. The box's current entry is then the
    // one chosen in the list, or the one it had when nothing was chosen
    // (Esc, a click outside the list).
    void closedUp();

private:
    void closeUp();

    // The list has closed and closedUp has not been told yet.
    bool m_closing = false;
};
