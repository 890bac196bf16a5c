#pragma once

class QWidget;

// The program's windows start in the middle of the screen they are on.
void CentreOnScreen(QWidget *window);
