#pragma once

class QCoreApplication;

// Qt's own words (the OK of a message box, the file dialog's labels and
// buttons) in Simplified Chinese, whatever the user's locale: every text of
// the program is Chinese, and a box saying "OK" under a Chinese message reads
// as broken. The translator belongs to the application. Returns false when
// Qt's Chinese catalogue is not installed; the program then runs with Qt's
// English words.
bool InstallQtChineseTranslations(QCoreApplication &app);
