#pragma once

#include "gui/Finestra.h"

#include <QString>
#include <memory>

namespace Ui {
class TfrmInfo;
}

// The information window: what the program is, who makes it, and a link that starts an e-mail to
// the maker.
class TfrmInfo : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);
    ~TfrmInfo() override;

    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmInfo> ui;
};

// The mail link to the maker, with its subject and the start of the message. Nothing is
// percent-encoded: the mail program receives the blanks, the comma and the colon as they are.
QString CollegamentoEmail();
