#pragma once

// Paints every shown window of the program again, at once, without the event
// loop: the page fetch's waiting hook. A fetch waits on the one user-interface
// thread, so a window covered and uncovered during the wait would stay blank;
// painting from here redraws it while no timer, queued call or input of the
// program gets to run. QWidget::repaint paints and flushes to the window
// system before it returns.
void RepaintShownWindows();
