#pragma once

// Makes a read of a file fail halfway through a scan, as a failing disk would: after `riuscite`
// more successful positioned reads (pread) of this process, the next one fails with EIO; the
// ones after it succeed again.
void GuastaLetturaDopo(int riuscite);
// Whether the planned failure has happened (and so no failure is planned any more).
bool LetturaGuastaAvvenuta();
