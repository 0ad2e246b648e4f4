#pragma once

#include "gui/Finestra.h"

#include <memory>

class QListWidgetItem;

namespace Ui {
class TfrmApriArchivio;
}

// The selection window: lists the archives of the program folder, deletes one, or hands one to
// the record window. Its closing mode is in lblMemory: "avvio" goes back to the start window,
// "password" opens the selected archive. lblFile holds the program folder while no archive is
// chosen, the chosen archive's path once the user opens or deletes one.
class TfrmApriArchivio : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmApriArchivio(QWidget* parent = nullptr);
    ~TfrmApriArchivio() override;

    void btnApriClick();
    void btnEliminaClick();
    void btnAnnullaClick();
    void imgGuidaClick();

Q_SIGNALS:
    // Closed without opening an archive: the start window comes back.
    void chiusa();
    // Closed by "Apri archivio": the archive chosen, its full path and its name (the file name
    // without ".psw"), goes to the record window.
    void archivioScelto(const QString& percorso, const QString& nome);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    // Fills the list with the archives found in the program folder and rewrites the count line.
    void elencaArchivi();
    // The selected archive, after the warning of `msgNessunaScelta` (or of the empty list) when
    // there is none.
    QListWidgetItem* voceScelta(const QString& msgNessunaScelta);
    QListWidgetItem* voceSelezionata() const;

    std::unique_ptr<Ui::TfrmApriArchivio> ui;
};
