// The viewer that shows the debug log once the window has closed.
#pragma once

// Opens `log` in $VISUAL, else $EDITOR, else xdg-open, started without a shell with `standardOutput`
// as its standard output and the same standard error, and waits until it ends. One that cannot be
// started is reported on standard error with the log's full path, so that it can be opened by hand.
void showInViewer(const char* log, int standardOutput);
