#include "editor/AllegaCartella.h"

#include "ui_AllegaCartella.h"

#include "core/files/NomeAllegato.h"
#include "core/files/SostituisciFile.h"
#include "core/text/Testo.h"
#include "gui/Convenzioni.h"
#include "gui/Guardia.h"
#include "gui/Messaggi.h"
#include "gui/OpenURL.h"
#include "gui/Piattaforma.h"
#include "gui/Registro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString TitoloScelta = QStringLiteral("Selezionare il file da allegare:");
const QString FiltroScelta = QStringLiteral("Tutti i file (*.*)");
const QString DomandaSovrascrivi = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome."
    "\r\n\r\nSi vuole sovrascrivere il file esistente?");
const QString CopiaNonRiuscita = QStringLiteral(
    "Attenzione: non è stato possibile copiare il file scelto nella cartella dei documenti "
    "allegati.\r\n\r\nIl file non risulta allegato: accertarsi che sul disco ci sia spazio "
    "libero e di possedere i privilegi di scrittura nella cartella di installazione del "
    "programma, poi sceglierlo di nuovo.");
QString CartellaDegliAllegati() {
    return Piattaforma::corrente().cartellaProgramma() + CartellaAllegati;
}

// Streams the source into the copy in blocks; an existing copy of that name is replaced only once
// the new one is whole on the disk, so a copy that fails leaves it as it was and leaves no piece
// of the new one in the folder.
bool CopiaSostituendo(const QString& origine, const QString& destinazione) {
    QFile lettura(origine);
    if (!lettura.open(QIODevice::ReadOnly))
        return false;
    try {
        SostituisciFile(
            destinazione,
            [&lettura, &origine](QIODevice& scrittura) {
                QByteArray blocco(1 << 20, Qt::Uninitialized);
                qint64 letti;
                while ((letti = lettura.read(blocco.data(), blocco.size())) > 0)
                    if (scrittura.write(blocco.constData(), letti) != letti)
                        return;
                if (letti < 0)
                    throw ErroreSostituzioneFile(QStringLiteral("lettura di"), origine,
                                                 lettura.errorString());
            },
            // The documents attached to credentials are as private as the archives.
            PermessiNuovoFile::SoloProprietario);
    } catch (const ErroreSostituzioneFile& errore) {
        qCWarning(RegistroFile) << "attachment copy:" << errore.what();
        return false;
    }
    return true;
}

} // namespace

QString PercorsoAllegato(const QString& nome) {
    const QString nudo = NomeAllegato(nome);
    return nudo.isEmpty() ? QString() : CartellaDegliAllegati() + nudo;
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* proprietario)
    : TDialogo(proprietario, QSize(634, 534))
    , ui(std::make_unique<Ui::TfrmAllegaCartella>()) {
    ui->setupUi(this);
    posti_ = {{
        {ui->txtFile01, ui->imgCancella01, ui->btnSfoglia01, ui->btnApri01, ui->txtDesc01},
        {ui->txtFile02, ui->imgCancella02, ui->btnSfoglia02, ui->btnApri02, ui->txtDesc02},
        {ui->txtFile03, ui->imgCancella03, ui->btnSfoglia03, ui->btnApri03, ui->txtDesc03},
    }};

    for (int posto = 0; posto < int(posti_.size()); ++posto) {
        const Posto& p = posti_[posto];
        preparaPulsanteImmagine(
            p.cancella, QStringLiteral("Cancella il nome del %1° file allegato").arg(posto + 1));
        connect(p.nome, &QLineEdit::textChanged, this,
                SottoGuardia([this, posto] { txtFileChange(posto); }));
        connect(p.cancella, &QAbstractButton::clicked, this,
                SottoGuardia([this, posto] { imgCancellaClick(posto); }));
        connect(p.sfoglia, &QPushButton::clicked, this,
                SottoGuardia([this, posto] { btnSfogliaClick(posto); }));
        connect(p.apri, &QPushButton::clicked, this,
                SottoGuardia([this, posto] { btnApriClick(posto); }));
    }
    CollegaComando(ui->btnApplica, this, &TfrmAllegaCartella::btnApplicaClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmAllegaCartella::btnAnnullaClick);
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;

void TfrmAllegaCartella::MostraAllegati(const Allegati& allegati) {
    for (std::size_t posto = 0; posto < posti_.size(); ++posto) {
        posti_[posto].nome->setText(TogliSpazi(allegati[posto].file));
        posti_[posto].descrizione->setText(TogliSpazi(allegati[posto].descrizione));
    }
}

void TfrmAllegaCartella::FormShow() {
    centraSulloSchermo();
}

void TfrmAllegaCartella::txtFileChange(int posto) {
    const Posto& p = posti_[posto];
    p.apri->setEnabled(!NomeAllegato(p.nome->text()).isEmpty());
}

void TfrmAllegaCartella::btnSfogliaClick(int posto) {
    const QString scelto = Piattaforma::corrente().scegliFile(this, TitoloScelta, FiltroScelta);
    if (scelto.isEmpty())
        return;
    QLineEdit* nome = posti_[posto].nome;
    nome->setText(SenzaCartella(scelto));
    copiaAllegato(scelto, nome->text());
}

// The slot keeps the chosen name even when no copy was made; a copy that could not be made is
// told to the user, since the record would otherwise name a document that is not in the folder.
void TfrmAllegaCartella::copiaAllegato(const QString& origine, const QString& nome) {
    const QString destinazione = PercorsoAllegato(nome);
    if (destinazione.isEmpty())
        return;
    const bool cartellaPronta = QDir().mkpath(CartellaDegliAllegati());
    if (cartellaPronta && QFileInfo::exists(destinazione) &&
        !chiediConferma(this, DomandaSovrascrivi))
        return;
    if (!cartellaPronta || !CopiaSostituendo(origine, destinazione))
        mostraErrore(this, CopiaNonRiuscita);
}

void TfrmAllegaCartella::btnApriClick(int posto) {
    const QString percorso = PercorsoAllegato(posti_[posto].nome->text());
    if (percorso.isEmpty())
        return;
    TMisc::Open(QLatin1Char('"') + percorso + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int posto) {
    posti_[posto].nome->clear();
}

void TfrmAllegaCartella::btnApplicaClick() {
    Allegati allegati;
    for (std::size_t posto = 0; posto < posti_.size(); ++posto)
        allegati[posto] = {TogliSpazi(posti_[posto].nome->text()),
                           TogliSpazi(posti_[posto].descrizione->text())};
    applicati_ = allegati;
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() {
    reject();
}
