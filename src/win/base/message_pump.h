// Lets queued messages run inside a longer operation (a button's press
// animation), as the framework's ProcessMessages does.
#pragma once

// Dispatches every message already queued for this thread and returns. A quit
// request met on the way is posted again, so the main loop still ends.
void ProcessPendingMessages();
