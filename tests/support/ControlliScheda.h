#pragma once

#include "support/AiutiFinestre.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

// The record window's controls, found by name, for the tests that drive it as a user does and
// look at what it shows.
struct ControlliScheda {
    explicit ControlliScheda(QWidget* finestra);

    QLineEdit* txtTitolo;
    QLineEdit* txtURL;
    QLineEdit* txtProprietario;
    QLineEdit* txtDescrizione;
    QLineEdit* txtUtente;
    QLineEdit* txtCreazione;
    QLineEdit* txtPassword;
    QLineEdit* txtScadenza;
    QLineEdit* txtDomanda;
    QLineEdit* txtRisposta;
    QLineEdit* txtIntestatario;
    QLineEdit* txtCodFisc;
    QLineEdit* txtEmail;
    QLineEdit* txtTel;
    QPlainTextEdit* txtUtilizzate;
    QPlainTextEdit* txtNote;
    QLabel* lblFile;
    QLabel* lblNome;
    QLabel* lblPosizione;
    QLabel* lblFile01;
    QLabel* lblFile02;
    QLabel* lblFile03;
    QLabel* lblDesc01;
    QLabel* lblDesc02;
    QLabel* lblDesc03;
    QLabel* lblTitolo;
    QLabel* panInfo;
    QToolButton* cmdNuovo;
    QToolButton* cmdDuplica;
    QToolButton* cmdSalva;
    QToolButton* cmdTrova;
    QToolButton* cmdFile;
    QToolButton* cmdStampa;
    QToolButton* cmdPrimo;
    QToolButton* cmdIndietro;
    QToolButton* cmdAvanti;
    QToolButton* cmdUltimo;
    QToolButton* cmdEsporta;
    QToolButton* cmdScadenze;
    QToolButton* cmdGuida;
    QToolButton* cmdEsci;
    QToolButton* btnSito;
    QToolButton* btnPassword;
    QToolButton* btnRisposta;
    QToolButton* btnCodFisc;
    QToolButton* btnEmail;
    QPushButton* btnFocus;
    QFrame* bkgCredenziali;
};
