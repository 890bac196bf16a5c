// Tessaview: the shop-credit search, shipped beside Orvalent as the program
// its side-bar item starts. It opens the shop-credit search page in the
// user's browser and ends.
#include "Endpoints.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString page = Endpoints::shopCreditSearch();
    // xdg-open hands the page to the desktop's browser; no window of our own.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {page})) {
        std::fprintf(stderr, "Tessaview: cannot open %s (xdg-open missing)\n", qPrintable(page));
        return 1;
    }
    return 0;
}
