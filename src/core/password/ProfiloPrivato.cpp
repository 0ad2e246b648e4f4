#include "core/password/ProfiloPrivato.h"

#include "core/files/SostituisciFile.h"

#include <QByteArrayView>
#include <QFile>
#include <QList>

namespace {

const QByteArray MarcaUtf8("\xEF\xBB\xBF");

struct Riga {
    qsizetype inizio;   // first byte of the text
    qsizetype fine;     // end of the text, line break excluded
    qsizetype seguente; // first byte of the next line
};

// The lines of the file; a line ends with CR LF, LF or CR. A UTF-8 mark in front is not text.
QList<Riga> righeDi(const QByteArray& contenuto) {
    QList<Riga> righe;
    qsizetype inizio = contenuto.startsWith(MarcaUtf8) ? MarcaUtf8.size() : 0;
    while (inizio < contenuto.size()) {
        qsizetype fine = inizio;
        while (fine < contenuto.size() && contenuto[fine] != '\n' && contenuto[fine] != '\r')
            ++fine;
        qsizetype seguente = fine;
        if (seguente < contenuto.size() && contenuto[seguente] == '\r')
            ++seguente;
        if (seguente < contenuto.size() && contenuto[seguente] == '\n')
            ++seguente;
        righe.append({inizio, fine, seguente});
        inizio = seguente;
    }
    return righe;
}

QByteArrayView testoDi(const QByteArray& contenuto, const Riga& riga) {
    return QByteArrayView(contenuto).sliced(riga.inizio, riga.fine - riga.inizio);
}

bool stessoNome(QByteArrayView nome, const QString& cercato) {
    return QString::fromUtf8(nome.trimmed()).compare(cercato, Qt::CaseInsensitive) == 0;
}

bool eSezione(QByteArrayView testo) {
    return testo.trimmed().startsWith('[');
}

// The name between the brackets of a section line.
QByteArrayView nomeSezione(QByteArrayView testo) {
    QByteArrayView nome = testo.trimmed().sliced(1);
    const qsizetype chiusa = nome.lastIndexOf(']');
    return chiusa < 0 ? nome : nome.first(chiusa);
}

// The key of a line "Chiave=Valore"; a line without "=" is a key without a value.
QByteArrayView nomeChiave(QByteArrayView testo) {
    const qsizetype uguale = testo.indexOf('=');
    return uguale < 0 ? testo : testo.first(uguale);
}

QByteArrayView valoreDi(QByteArrayView testo) {
    const qsizetype uguale = testo.indexOf('=');
    if (uguale < 0)
        return {};
    QByteArrayView valore = testo.sliced(uguale + 1).trimmed();
    // Quotes around the whole value are not part of it.
    if (valore.size() >= 2 && (valore.front() == '"' || valore.front() == '\'') &&
        valore.back() == valore.front())
        valore = valore.sliced(1, valore.size() - 2);
    return valore;
}

// Where a key is, or would go, in the first section of the name.
struct Posizione {
    qsizetype sezione = -1; // line of the section header
    qsizetype chiave = -1;  // line of the key
    qsizetype ultima = -1;  // last line of the section that is not blank
};

Posizione cerca(const QByteArray& contenuto, const QList<Riga>& righe, const QString& sezione,
                const QString& chiave) {
    Posizione trovata;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const QByteArrayView testo = testoDi(contenuto, righe[i]);
        if (eSezione(testo)) {
            if (trovata.sezione >= 0)
                break;
            if (stessoNome(nomeSezione(testo), sezione))
                trovata.sezione = trovata.ultima = i;
            continue;
        }
        if (trovata.sezione < 0 || testo.trimmed().isEmpty())
            continue;
        trovata.ultima = i;
        if (trovata.chiave < 0 && stessoNome(nomeChiave(testo), chiave))
            trovata.chiave = i;
    }
    return trovata;
}

// The line break the file already uses; Windows' own for a new file.
QByteArray fineRigaDi(const QByteArray& contenuto, const QList<Riga>& righe) {
    for (const Riga& riga : righe)
        if (riga.seguente > riga.fine)
            return contenuto.sliced(riga.fine, riga.seguente - riga.fine);
    return QByteArrayLiteral("\r\n");
}

} // namespace

QString ValoreInProfilo(const QByteArray& contenuto, const QString& sezione,
                        const QString& chiave) {
    const QList<Riga> righe = righeDi(contenuto);
    const Posizione posizione = cerca(contenuto, righe, sezione, chiave);
    if (posizione.chiave < 0)
        return QString();
    const QByteArrayView testo = testoDi(contenuto, righe[posizione.chiave]);
    return QString::fromUtf8(valoreDi(testo)).left(LunghezzaMassimaValoreProfilo);
}

QByteArray ProfiloConValore(const QByteArray& contenuto, const QString& sezione,
                            const QString& chiave, const QString& valore) {
    const QList<Riga> righe = righeDi(contenuto);
    const Posizione posizione = cerca(contenuto, righe, sezione, chiave);
    const QByteArray fineRiga = fineRigaDi(contenuto, righe);
    const QByteArray rigaChiave = chiave.toUtf8() + '=' + valore.toUtf8();
    QByteArray risultato = contenuto;

    if (posizione.chiave >= 0) {
        // Only the value changes: the key as written, the "=" and the blanks after it stay.
        const Riga& riga = righe[posizione.chiave];
        const QByteArrayView testo = testoDi(contenuto, riga);
        const qsizetype uguale = testo.indexOf('=');
        if (uguale < 0)
            return risultato.replace(riga.inizio, riga.fine - riga.inizio, rigaChiave);
        qsizetype inizioValore = riga.inizio + uguale + 1;
        while (inizioValore < riga.fine &&
               (contenuto[inizioValore] == ' ' || contenuto[inizioValore] == '\t'))
            ++inizioValore;
        return risultato.replace(inizioValore, riga.fine - inizioValore, valore.toUtf8());
    }

    if (posizione.sezione >= 0) {
        // The key goes after the last line of the section that is not blank.
        const Riga& riga = righe[posizione.ultima];
        const QByteArray aggiunta =
            (riga.seguente == riga.fine ? fineRiga : QByteArray()) + rigaChiave + fineRiga;
        return risultato.insert(riga.seguente, aggiunta);
    }

    if (!risultato.isEmpty() && !risultato.endsWith('\n') && !risultato.endsWith('\r'))
        risultato += fineRiga;
    risultato += '[' + sezione.toUtf8() + ']' + fineRiga + rigaChiave + fineRiga;
    return risultato;
}

QString LeggiValoreProfilo(const QString& percorso, const QString& sezione, const QString& chiave) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return ValoreInProfilo(file.readAll(), sezione, chiave);
}

void ScriviValoreProfilo(const QString& percorso, const QString& sezione, const QString& chiave,
                         const QString& valore) {
    QByteArray attuale;
    QFile vecchio(percorso);
    if (vecchio.exists()) {
        // Rewriting a file that cannot be read would lose its other lines.
        if (!vecchio.open(QIODevice::ReadOnly))
            throw ErroreScritturaProfilo(vecchio.errorString().toStdString());
        attuale = vecchio.readAll();
        vecchio.close();
    }
    const QByteArray nuovo = ProfiloConValore(attuale, sezione, chiave, valore);

    try {
        // The file keeps the access password: a new one is for its owner's eyes only.
        SostituisciFile(percorso, nuovo, PermessiNuovoFile::SoloProprietario);
    } catch (const ErroreSostituzioneFile& errore) {
        throw ErroreScritturaProfilo(errore.what());
    }
}
