#pragma once

#include "gui/Finestra.h"

#include <memory>

class QListWidgetItem;

namespace Ui {
class TfrmApriArchivio;
}

// The selection window: lists the archives of the program folder, deletes one, or hands one to
// the record window. Its closing mode says where closing goes: back to the start window, or to
// the record window with the selected archive. The archive chosen (the program folder while none
// is) is kept beside it. The hidden labels lblMemory ("avvio" or "password") and lblFile show
// both.
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
    enum class Chiusura { Avvio, ApriScelto };
    void impostaChiusura(Chiusura chiusura);
    void impostaPercorso(const QString& percorso);

    // Fills the list with the archives found in the program folder and rewrites the count line.
    void elencaArchivi();
    // The selected archive, after the warning of `msgNessunaScelta` (or of the empty list) when
    // there is none.
    QListWidgetItem* voceScelta(const QString& msgNessunaScelta);
    QListWidgetItem* voceSelezionata() const;

    std::unique_ptr<Ui::TfrmApriArchivio> ui;
    Chiusura chiusura_ = Chiusura::Avvio;
    QString percorso_;
};
