#pragma once

class Dialogs;

// The notice every online rate fetch shows when the service did not answer, so the user
// knows to type the rate in by hand.
void showRateOffline(Dialogs &dialogs);
