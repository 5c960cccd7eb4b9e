// The keyword bar at work: typing searches every page of the main set, the
// smart bar and the history, completes the typed text in place, and Enter
// starts the first match.
#pragma once

class TBarSet;
class TDocument;
class TFormFloat;

void ConnectKeywordBar(TFormFloat& bar, TDocument& document);

// The keyword hot key: the main window to the top and, when the keyword bar
// is showing, the keyboard into its box.
void ActivateKeyword(TBarSet& bars);
