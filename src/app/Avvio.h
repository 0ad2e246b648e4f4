#pragma once

#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmAvvio;
}

// The start window: the hub after the login, from which the user creates, opens or deletes
// archives, reads the information, the credits and the help, visits the maker's site or leaves.
class TfrmAvvio : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);
    ~TfrmAvvio() override;

    void imgCreaClick();
    void imgApriClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();

Q_SIGNALS:
    // The two archive windows it hands over to.
    void creaArchivioRichiesto();
    void apriArchivioRichiesto();

protected:
    void FormClose() override;

private:
    std::unique_ptr<Ui::TfrmAvvio> ui;
};
