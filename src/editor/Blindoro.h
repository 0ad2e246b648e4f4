#pragma once

#include "core/helptext/Tastiera.h"
#include "core/storage/Scheda.h"
#include "gui/Appunti.h"
#include "gui/Finestra.h"
#include "gui/SchedaAperta.h"

#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QKeyEvent;
class QLineEdit;
class RigaSuggerimenti;

namespace Ui {
class TfrmBlindoro;
}

// The two date fields, which only the date dialog fills.
enum class CampoData { Creazione, Scadenza };

// The record window: reads, types and saves the records of one open archive. Besides the fields
// the user types in, it keeps the open archive's path, the number of the record shown (none for a
// record not yet in the archive) and the record's attachments; its labels only show them (lblFile,
// lblPosizione, the six attachment labels), and lblNome shows the archive's name. The other
// windows reach that state only through the calls below.
class TfrmBlindoro : public TFinestraLunga, public SchedaAperta {
    Q_OBJECT
public:
    explicit TfrmBlindoro(QWidget* parent = nullptr);
    ~TfrmBlindoro() override;

    // Opens an archive: its full path and its name; the window shows itself on a new record.
    void ApriArchivio(const QString& percorso, const QString& nome);
    // What the windows it opens see of the record (SchedaAperta).
    QWidget* Finestra() override { return this; }
    QString PercorsoArchivio() const override;
    QString NomeArchivio() const override;
    QString TestoCampo(Campo campo) const override;
    std::optional<qint64> NumeroScheda() const override { return numero_; }
    void MostraScheda(const TScheda& scheda, qint64 numero) override;
    // Prepares the window for a new record.
    void SvuotaScheda();

    void ImpostaData(CampoData campo, const QString& data);
    Allegati AllegatiScheda() const;
    void ImpostaAllegati(const Allegati& allegati);

    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void btnFocusClick();
    void cmdEsciClick();
    void cmdFileClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdTrovaClick();
    void cmdScadenzeClick();
    void cmdGuidaClick();
    void actImportaSchedeClick();
    void btnSitoClick();
    void btnEmailClick();
    void btnPasswordClick();
    void btnRispostaClick();
    void btnCodFiscClick();
    // The commands of the password field's menu: the generator, and the strength of the password
    // the field holds.
    void actGeneraPasswordClick();
    void actValutaPasswordClick();
    void txtCodFiscTyping();
    void txtEmailTyping();
    void txtURLExit();
    // Copies the password, the user name or the web address shown to the clipboard, for the
    // delay of the program's clipboard; the hint line tells what was copied, or that the field
    // is empty, and later that the clipboard was emptied.
    void actCopiaPasswordExecute();
    void actCopiaUtenteExecute();
    void actCopiaIndirizzoExecute();

Q_SIGNALS:
    // The window was closed (its exit command or the close box): the start window comes back.
    void chiusa();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Where a navigation command goes, decided once the archive is open.
    struct Destinazione {
        enum class Tipo { Scheda, ArchivioVuoto, Nessuna } tipo;
        qint64 indice = 0;
    };
    void naviga(const std::function<Destinazione(qint64 numeroSchede)>& scegli);
    void impostaNumero(std::optional<qint64> numero);
    bool campiObbligatoriPresenti();
    void completaIndirizzo();
    void tastoInData(QWidget* campo, QKeyEvent* tasto);
    void preparaConvenzioni();
    void preparaComandiAppunti();
    void preparaMenuContestuali();
    void copiaCampo(Appunti::Dato dato, const QLineEdit* campo);
    void preparaComandiPassword(const QHash<QString, Scorciatoia>& tasti);
    void usaPassword(const QString& nuova);
    void conservaPasswordUsata(const QString& vecchia);

    std::unique_ptr<Ui::TfrmBlindoro> ui;
    // The controls that hold the 16 typed fields of a record, in the record's order; the six
    // attachment fields are in allegati_.
    static constexpr int NumeroCampiDigitati = static_cast<int>(Campo::File01);
    std::array<QWidget*, NumeroCampiDigitati> campi_{};
    QString percorso_;
    std::optional<qint64> numero_;
    Allegati allegati_;
    // The window's record buffer, reused for every read and write of the run.
    TScheda scheda_{};
    RigaSuggerimenti* suggerimenti_ = nullptr;
    // The commands without a button of their own, offered in the fields' context menus.
    QAction* actCopiaPassword = nullptr;
    QAction* actCopiaUtente = nullptr;
    QAction* actCopiaIndirizzo = nullptr;
    QAction* actGeneraPassword = nullptr;
    QAction* actValutaPassword = nullptr;
};
