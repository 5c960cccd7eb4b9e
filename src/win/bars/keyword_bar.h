// The keyword bar at work: typing searches every page of the main window,
// the smart bar and the history, completes the typed text in place, and
// Enter starts the first match.
#pragma once

class TFormFloat;
class TVantor;

void ConnectKeywordBar(TFormFloat& bar, TVantor& vantor);

// The keyword hot key: the main window to the top and, when the keyword bar
// is showing, the keyboard into its box.
void ActivateKeyword(TVantor& vantor);
