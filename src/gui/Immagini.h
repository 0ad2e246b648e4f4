#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

// The program's artwork is SVG, drawn at the size it is shown when it is first painted. One icon
// per picture for the whole run: its engine keeps each size it has drawn, so a picture shown again
// in a new window (a dialog is made for each use) is never drawn again.
QIcon IconaSvg(const QString& risorsa);

// A decorative picture: an SVG of the resources, drawn to fill the widget (keeping its proportions)
// when first painted. The .ui files give its resource in the property "immagine".
class ImmagineSvg : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString immagine READ immagine WRITE setImmagine)
public:
    explicit ImmagineSvg(QWidget* parent = nullptr);

    QString immagine() const { return risorsa_; }
    void setImmagine(const QString& risorsa);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString risorsa_;
};
