// Store figures: how long the registry store and TimeData.db take to be read
// the first time (the start), how long a read takes afterwards (every tick
// and every 开始), and how long one write takes, for large files.
#include "bench_support.h"
#include "platform/registry_store.h"
#include "platform/save_file.h"
#include "stores/ini_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace orvalen;

namespace {

struct Figures {
    std::vector<double> first, later, write;
};

void print(const char* what, const Figures& f)
{
    const auto show = [](const char* name, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("  %-16s min %9.3f  median %9.3f  max %9.3f ms\n", name, v.front(), bench::median(v), v.back());
    };
    std::printf("%s\n", what);
    show("first read", f.first);
    show("later read", f.later);
    show("one write", f.write);
}

double ms(QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

Figures registry(const QString& path, int entries)
{
    QByteArray text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Vantoria]\n";
    for (int i = 0; i < entries; ++i)
        text += "\"value" + QByteArray::number(i) + "\"=\"计时 " + QByteArray::number(i) + "\"\n";
    saveFile(path, text);
    Figures f;
    for (int round = 0; round < 5; ++round) {
        RegistryStore store(path);
        QElapsedTimer t;
        t.start();
        store.readText(QStringLiteral("value7"));
        f.first.push_back(ms(t));
        for (int i = 0; i < 200; ++i) {
            t.restart();
            store.readText(QStringLiteral("VALUE%1").arg(i * 97 % entries));
            f.later.push_back(ms(t));
        }
        t.restart();
        store.writeText(QStringLiteral("vision"), QString::number(round));
        f.write.push_back(ms(t));
    }
    return f;
}

Figures timeData(const QString& path, int megabytes)
{
    QByteArray text = "[Marquee]\nMode=1\n[Hotkey]\nstart=无\n[pictureset]\nDelaytime=0\n[filler]\n";
    for (int i = 0; text.size() < megabytes * 1024 * 1024; ++i)
        text += "key" + QByteArray::number(i) + "=中层干部年终述职考评会 " + QByteArray::number(i) + "\n";
    saveFile(path, text);
    Figures f;
    IniStore ini(path);
    for (int round = 0; round < 5; ++round) {
        saveFile(path, text + "round=" + QByteArray::number(round) + "\n"); // a changed file: read again
        QElapsedTimer t;
        t.start();
        ini.read(QStringLiteral("pictureset"), QStringLiteral("Delaytime"), QStringLiteral("0"));
        f.first.push_back(ms(t));
        for (int i = 0; i < 200; ++i) {
            t.restart();
            ini.read(QStringLiteral("Hotkey"), QStringLiteral("start"), QString());
            f.later.push_back(ms(t));
        }
        t.restart();
        ini.write(QStringLiteral("Marquee"), QStringLiteral("currentrow"), QString::number(round));
        f.write.push_back(ms(t));
    }
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (int entries : {20000, 50000})
        print(qPrintable(QStringLiteral("registry.reg with %1 values").arg(entries)),
              registry(dir.filePath(QStringLiteral("registry.reg")), entries));
    print("TimeData.db of 10 MB", timeData(dir.filePath(QStringLiteral("TimeData.db")), 10));
    return 0;
}
