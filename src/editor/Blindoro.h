#pragma once

#include "app/Finestra.h"

#include <memory>

namespace Ui {
class TfrmBlindoro;
}

// The record window: reads, types and saves the records of one open archive. It keeps its state
// in its own controls; the other windows read and write them through `ui` (the archive's path in
// lblFile, its name in lblNome, the record shown in lblPosizione, the attachments in the six
// hidden labels, the sixteen fields).
class TfrmBlindoro : public TFinestraLunga {
    Q_OBJECT
public:
    explicit TfrmBlindoro(QWidget* parent = nullptr);
    ~TfrmBlindoro() override;

    std::unique_ptr<Ui::TfrmBlindoro> ui;

protected:
    void FormClose() override;
};
