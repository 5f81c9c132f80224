// Return and Enter confirm a dialog wherever its focus rests. GNOME's
// platform theme makes them press the focused radio button or check box, as
// GTK does, so a dialog that opens with its focus on a choice (the range
// picker) would never take Return for OK there, while it does on every other
// desktop.
#pragma once

class QCoreApplication;

// Hands Return and Enter on a dialog's radio buttons and check boxes to the
// dialog itself, which clicks its default button.
void InstallReturnKeyFilter(QCoreApplication* app);
