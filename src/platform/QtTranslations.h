#pragma once

class QCoreApplication;

// Qt's own words (the OK of a message box, the file dialog's labels and
// buttons) in Simplified Chinese, whatever the user's locale: every text of
// the program is Chinese, and a box saying "OK" under a Chinese message reads
// as broken. By the same rule the program's locale is Simplified Chinese
// (China): what Qt shows in the locale, such as the file dialog's dates and
// file-type names, reads in Chinese too. Nothing the program computes follows
// the locale: its cuts, numbers and checks convert text in the C locale.
// The translator belongs to the application. Returns false when Qt's Chinese
// catalogue is not installed; the program then runs with Qt's English words
// (and still the Chinese locale).
bool InstallQtChineseTranslations(QCoreApplication &app);
