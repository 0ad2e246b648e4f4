#pragma once

#include <QColor>
#include <QWidget>

// A background painted with a linear gradient, top to bottom or left to right. Windows use it
// under their centred panel; the .ui files promote a plain QWidget to it.
class SfondoSfumato : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor coloreInizio READ coloreInizio WRITE setColoreInizio)
    Q_PROPERTY(QColor coloreFine READ coloreFine WRITE setColoreFine)
    Q_PROPERTY(bool orizzontale READ orizzontale WRITE setOrizzontale)
    Q_PROPERTY(int raggio READ raggio WRITE setRaggio)
public:
    explicit SfondoSfumato(QWidget* parent = nullptr);

    QColor coloreInizio() const { return inizio_; }
    void setColoreInizio(const QColor& colore);
    QColor coloreFine() const { return fine_; }
    void setColoreFine(const QColor& colore);
    bool orizzontale() const { return orizzontale_; }
    void setOrizzontale(bool orizzontale);
    // Rounded corners of the painted area, 0 for a plain rectangle.
    int raggio() const { return raggio_; }
    void setRaggio(int raggio);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor inizio_{0x1E, 0x5A, 0xA8};
    QColor fine_{Qt::white};
    bool orizzontale_ = false;
    int raggio_ = 0;
};
