#pragma once

#include <QLabel>

// A one-line label of a fixed size whose text is always seen whole: a text too wide for the label
// in its own font is drawn in the largest smaller size that fits (the record window's number box,
// where a large archive's six-digit numbers must read whole in the room of four).
class EtichettaAdattata : public QLabel {
    Q_OBJECT
public:
    explicit EtichettaAdattata(QWidget* parent = nullptr);

    // The font the text is drawn in now.
    QFont CarattereUsato() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};
