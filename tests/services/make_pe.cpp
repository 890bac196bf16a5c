// Writes the unsigned test images the fixture script signs:
//   make_pe OUT32.exe OUT64.exe
#include "MiniPe.h"

#include <QFile>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    for (int i = 1; i <= 2; ++i) {
        QFile out(QString::fromLocal8Bit(argv[i]));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(MiniPe(i == 2)) < 0)
            return 1;
    }
    return 0;
}
