// Creates the program's DeskData.db (SQLCipher, keyed with the database
// password) with its empty tables when the file is missing. An existing file
// holds the user's plans and statistics and is never touched.
// Usage: make_deskdata <path of DeskData.db>
#include "stores/desk_data_schema.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_deskdata <DeskData.db>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path))
        return 0;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!orvalen::createDeskData(path, &error)) {
        std::fprintf(stderr, "make_deskdata: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Created %s\n", qPrintable(path));
    return 0;
}
