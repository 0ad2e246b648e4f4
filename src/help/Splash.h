#pragma once

#include "gui/Finestra.h"

#include <memory>

namespace Ui {
class TfrmSplash;
}

// The credits window: the maker's credits in the caption and in a large picture, and a link to
// the maker's web site.
class TfrmSplash : public TDialogo {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    ~TfrmSplash() override;

    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmSplash> ui;
};
