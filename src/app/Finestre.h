#pragma once

#include <array>
#include <cstddef>

// The seventeen windows of the program, created once at start in this order and destroyed at the
// end. The first one, the login window, is the main window. Long-lived windows are reached through
// these references; the dialogs' instances are never shown (each use makes a new one).

class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmGuida;
class TfrmInfo;
class TfrmSplash;
class TfrmCreaArchivio;
class TfrmApriArchivio;
class TfrmBlindoro;
class TfrmPartitaIva;
class TfrmCodFisc;
class TfrmCalendario;
class TfrmAllegaCartella;
class TfrmTrovaPassword;
class TfrmSegnalati;
class TfrmExpPassword;
class TfrmStampaCredenziali;

inline TfrmPassword* frmPassword = nullptr;
inline TfrmAvvio* frmAvvio = nullptr;
inline TfrmCambiaPassword* frmCambiaPassword = nullptr;
inline TfrmGuida* frmGuida = nullptr;
inline TfrmInfo* frmInfo = nullptr;
inline TfrmSplash* frmSplash = nullptr;
inline TfrmCreaArchivio* frmCreaArchivio = nullptr;
inline TfrmApriArchivio* frmApriArchivio = nullptr;
inline TfrmBlindoro* frmBlindoro = nullptr;
inline TfrmPartitaIva* frmPartitaIva = nullptr;
inline TfrmCodFisc* frmCodFisc = nullptr;
inline TfrmCalendario* frmCalendario = nullptr;
inline TfrmAllegaCartella* frmAllegaCartella = nullptr;
inline TfrmTrovaPassword* frmTrovaPassword = nullptr;
inline TfrmSegnalati* frmSegnalati = nullptr;
inline TfrmExpPassword* frmExpPassword = nullptr;
inline TfrmStampaCredenziali* frmStampaCredenziali = nullptr;

class QWidget;
inline constexpr std::size_t NumeroFinestre = 17;

// Creates the seventeen windows in the table's order; the login window is the main window.
void CreaFinestre();
// Destroys them in the reverse order (the end of the program, or of a test).
void DistruggiFinestre();
// The windows in the order of creation.
const std::array<QWidget*, NumeroFinestre>& ElencoFinestre();
// Shows the main window, centred, with the focus in its password field.
void MostraFinestraPrincipale();
