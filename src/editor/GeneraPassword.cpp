#include "editor/GeneraPassword.h"

#include "ui_GeneraPassword.h"

#include "core/generator/FraseSegreta.h"
#include "core/generator/Generatore.h"
#include "core/generator/StimaForza.h"
#include "gui/Guardia.h"

#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {

const QString SenzaClassi = QStringLiteral("Scegliere almeno un tipo di caratteri.");
const QString SenzaSeparatore = QStringLiteral(
    "Indicare un separatore: da 1 a 3 segni, anche lo spazio, senza lettere minuscole.");
const QString SpiegazioneForza = QStringLiteral(
    "Il giudizio sulla forza segue la minore delle due misure. L'entropia esatta conta le "
    "password che queste scelte possono dare, tutte ugualmente probabili. La stima di zxcvbn "
    "conta i tentativi di chi prova prima le password comuni, le parole, i nomi, le date e le "
    "sequenze della tastiera: non conosce le parole italiane e sopravvaluta le frasi.");

QLocale Italiano() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

QString Bit(double bit, int decimali) {
    return Italiano().toString(bit, 'f', decimali) + QStringLiteral(" bit");
}

QString ColoreForza(Forza forza) {
    switch (forza) {
    case Forza::Debole:
        return QStringLiteral("#C62828");
    case Forza::Discreta:
        return QStringLiteral("#C77700");
    case Forza::Buona:
        return QStringLiteral("#2E8B3E");
    case Forza::Ottima:
        break;
    }
    return QStringLiteral("#1B6E2A");
}

} // namespace

TfrmGeneraPassword::TfrmGeneraPassword(QWidget* proprietario)
    : TDialogo(proprietario, QSize(620, 604))
    , ui(std::make_unique<Ui::TfrmGeneraPassword>()) {
    ui->setupUi(this);

    const ImpostazioniPassword password;
    ui->spnLunghezza->setRange(LunghezzaMinimaPassword, LunghezzaMassimaPassword);
    ui->spnLunghezza->setValue(password.lunghezza);
    ui->chkMaiuscole->setChecked(password.maiuscole);
    ui->chkMinuscole->setChecked(password.minuscole);
    ui->chkCifre->setChecked(password.cifre);
    ui->chkSimboli->setChecked(password.simboli);
    ui->chkSenzaSosia->setChecked(password.senzaSosia);

    const ImpostazioniFrase frase;
    ui->spnParole->setRange(ParoleMinimeFrase, ParoleMassimeFrase);
    ui->spnParole->setValue(frase.parole);
    // Printable ASCII without the small letters: what SeparatoreValido takes, the empty text
    // aside, which the dialog tells about.
    ui->txtSeparatore->setMaxLength(LunghezzaMassimaSeparatore);
    ui->txtSeparatore->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[ -`{-~]*")), ui->txtSeparatore));
    ui->txtSeparatore->setText(frase.separatore);
    ui->lblElenco->setText(
        QStringLiteral("Parole italiane di 4-9 lettere, senza accenti, dall'elenco del programma "
                       "di %1 parole: %2 a parola.")
            .arg(Italiano().toString(NumeroParole()),
                 Bit(std::log2(static_cast<double>(NumeroParole())), 2)));

    for (QWidget* misura :
         {static_cast<QWidget*>(ui->lblForza), static_cast<QWidget*>(ui->lblStima),
          static_cast<QWidget*>(ui->lblEntropia), static_cast<QWidget*>(ui->lblNotaForza)})
        misura->setToolTip(SpiegazioneForza);
    ui->barForza->setRange(0, static_cast<int>(BitForzaOttima));

    const auto ancora = SottoGuardia([this] { estrai(); });
    connect(ui->rdoFrase, &QRadioButton::toggled, this, SottoGuardia([this](bool frase) {
                ui->stkTipo->setCurrentWidget(frase ? ui->pagFrase : ui->pagCaratteri);
                estrai();
            }));
    connect(ui->spnLunghezza, &QSpinBox::valueChanged, this, ancora);
    connect(ui->spnParole, &QSpinBox::valueChanged, this, ancora);
    for (QCheckBox* scelta :
         {ui->chkMaiuscole, ui->chkMinuscole, ui->chkCifre, ui->chkSimboli, ui->chkSenzaSosia})
        connect(scelta, &QCheckBox::toggled, this, ancora);
    connect(ui->txtSeparatore, &QLineEdit::textChanged, this, ancora);
    CollegaComando(ui->btnRigenera, this, &TfrmGeneraPassword::btnRigeneraClick);
    CollegaComando(ui->btnUsa, this, &TfrmGeneraPassword::btnUsaClick);
    CollegaComando(ui->btnAnnulla, this, &TfrmGeneraPassword::btnAnnullaClick);

    estrai();
}

TfrmGeneraPassword::~TfrmGeneraPassword() = default;

void TfrmGeneraPassword::FormShow() {
    // The password first: a screen reader reads it and its strength, Enter takes it.
    ui->txtAnteprima->setFocus(Qt::OtherFocusReason);
}

void TfrmGeneraPassword::estrai() {
    std::optional<double> entropia;
    QString mancante;
    password_.clear();
    if (ui->rdoFrase->isChecked()) {
        const ImpostazioniFrase frase{ui->spnParole->value(), ui->txtSeparatore->text()};
        if (ImpostazioniValide(frase)) {
            password_ = GeneraFrase(frase);
            entropia = EntropiaEsatta(frase);
        } else {
            mancante = SenzaSeparatore;
        }
    } else {
        const ImpostazioniPassword caratteri{
            ui->spnLunghezza->value(),     ui->chkMaiuscole->isChecked(),
            ui->chkMinuscole->isChecked(), ui->chkCifre->isChecked(),
            ui->chkSimboli->isChecked(),   ui->chkSenzaSosia->isChecked()};
        if (ImpostazioniValide(caratteri)) {
            password_ = GeneraPassword(caratteri);
            entropia = EntropiaEsatta(caratteri);
        } else {
            mancante = SenzaClassi;
        }
    }
    // A password breaks anywhere to fit its lines; a passphrase between its words where it can.
    ui->txtAnteprima->setWordWrapMode(ui->rdoFrase->isChecked()
                                          ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                          : QTextOption::WrapAnywhere);
    ui->txtAnteprima->setPlainText(password_);
    ui->txtAnteprima->setPlaceholderText(mancante);
    ui->btnRigenera->setEnabled(!password_.isEmpty());
    ui->btnUsa->setEnabled(!password_.isEmpty());
    mostraForza(entropia);
    if (!mancante.isEmpty())
        ui->txtAnteprima->setAccessibleDescription(mancante);
}

void TfrmGeneraPassword::mostraForza(const std::optional<double>& entropiaEsatta) {
    if (!entropiaEsatta) {
        ui->lblForza->setText(QStringLiteral("-"));
        ui->lblForza->setStyleSheet(QString());
        ui->lblStima->setText(QStringLiteral("Stima di zxcvbn: -"));
        ui->lblEntropia->setText(QStringLiteral("Entropia esatta: -"));
        ui->barForza->setValue(0);
        return;
    }
    const double stima = BitStimati(password_);
    const double minore = std::min(stima, *entropiaEsatta);
    const Forza forza = ForzaDeiBit(minore);
    const QString colore = ColoreForza(forza);
    ui->lblForza->setText(NomeForza(forza));
    ui->lblForza->setStyleSheet(QStringLiteral("color: %1;").arg(colore));
    ui->lblStima->setText(QStringLiteral("Stima di zxcvbn: circa ") + Bit(std::round(stima), 0));
    ui->lblEntropia->setText(QStringLiteral("Entropia esatta: ") + Bit(*entropiaEsatta, 1));
    ui->barForza->setValue(static_cast<int>(std::clamp(minore, 0.0, BitForzaOttima)));
    ui->barForza->setStyleSheet(
        QStringLiteral("QProgressBar::chunk { background: %1; border-radius: 4px; }").arg(colore));
    ui->txtAnteprima->setAccessibleDescription(
        QStringLiteral("Forza: ") + NomeForza(forza) + QStringLiteral(". ") + ui->lblStima->text() +
        QStringLiteral(". ") + ui->lblEntropia->text() + QLatin1Char('.'));
}

void TfrmGeneraPassword::btnRigeneraClick() {
    estrai();
}

void TfrmGeneraPassword::btnUsaClick() {
    if (password_.isEmpty())
        return;
    scelta_ = password_;
    accept();
}

void TfrmGeneraPassword::btnAnnullaClick() {
    reject();
}
