#pragma once

#include "report/OggettiRapporto.h"
#include "report/PagineStampa.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;

// The print dialog was confirmed with pages that lie past the last page of the report: nothing was
// printed. The text tells the user so.
class ErroreNessunaPagina : public ErroreRapporto {
public:
    using ErroreRapporto::ErroreRapporto;
};

// A report: one template loaded by name, the views' current contents, and the sheets prepared
// from them. It knows no window: the date of printing and the choice of the printer come from
// the caller.
class TRapporto {
public:
    using Orologio = std::function<QDate()>;
    // Shows the print dialog on the printer; true when the user confirmed.
    using SceltaStampante = std::function<bool(QPrinter&)>;

    // Loads the template compiled into the program (see Modello.h); throws ErroreRapporto when
    // there is none of that name.
    TRapporto(const QString& nomeModello, Orologio dataStampa);
    ~TRapporto();
    TRapporto(const TRapporto&) = delete;
    TRapporto& operator=(const TRapporto&) = delete;

    const QString& nomeModello() const { return nome_; }

    // The view or band of that name, the case of the letters a to z aside; nullptr when there is
    // none.
    TOggettoRapporto* FindObject(const QString& nome) const;
    // The same, of the kind the caller expects (TMemo, TBanda, TForma); throws ErroreRapporto when
    // there is no such object of that kind.
    template <class T> T* FindObject(const QString& nome) const {
        if (auto* trovato = dynamic_cast<T*>(FindObject(nome)))
            return trovato;
        oggettoMancante(nome);
    }

    // 0 is the data page, 1 the first report page; throws ErroreRapporto past the last.
    TPaginaRapporto* GetPages(int indice) const;
    int numeroPagine() const { return static_cast<int>(pagine_.size()); }

    // Lays out the report pages with the views' current contents, replacing the sheets prepared
    // before (or adding to them when `clearLastReport` is false). The sheets of one preparation
    // are numbered together for "[PAGE]" and "[PAGES]".
    bool PrepareReport(bool clearLastReport = true);
    const QList<PaginaStampa>& PaginePreparate() const { return preparate_; }

    // Prepares the report if it was not, sets the printer to its paper, lets `scegli` show the
    // print dialog and, when confirmed, prints the chosen pages and copies, in grey when the
    // printer is set to grey scale. A PDF file is written whole or not at all. Returns whether
    // anything was printed (false when the dialog was cancelled); throws ErroreNessunaPagina when
    // the chosen pages are all past the last one, ErroreRapporto when the printing fails.
    bool Print(const SceltaStampante& scegli);
    // The printer of this report: its settings last from one Print to the next.
    QPrinter& stampante();

private:
    [[noreturn]] static void oggettoMancante(const QString& nome);
    QList<int> pagineScelte(const QPrinter& stampante) const;
    void stampaInPdf(QPrinter& stampante, const QList<int>& scelte, bool grigi) const;

    QString nome_;
    std::vector<std::unique_ptr<TPaginaRapporto>> pagine_;
    Orologio dataStampa_;
    QList<PaginaStampa> preparate_;
    bool preparato_ = false;
    std::unique_ptr<QPrinter> stampante_;
};
