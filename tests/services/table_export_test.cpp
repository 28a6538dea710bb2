#include "services/table_export.h"
#include "support/read_only_folder.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

QString unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    if (!unzip.waitForFinished(10000) || unzip.exitCode() != 0)
        return QString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

ExportTable sample()
{
    return {QStringLiteral("统计表"),
            {QStringLiteral("序号"), QStringLiteral("名称")},
            {{QStringLiteral("007"), QStringLiteral("a,b")},
             {QStringLiteral("2"), QStringLiteral("say \"hi\"\r\nnext")},
             {QStringLiteral("3"), QString()}}};
}

} // namespace

TEST(TableExport, xlsx_holdsSheetNameAndEveryCellAsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    QString error;
    ASSERT_TRUE(writeXlsx(path, sample(), &error)) << error.toStdString();

    EXPECT_TRUE(unzipped(path, QStringLiteral("xl/workbook.xml")).contains(QStringLiteral("name=\"统计表\"")));
    const QString strings = unzipped(path, QStringLiteral("xl/sharedStrings.xml"));
    for (const char* cell : {"序号", "名称", "<t>007</t>", "a,b", "say \"hi\""})
        EXPECT_TRUE(strings.contains(QString::fromUtf8(cell))) << cell;
    // Number format 49 is the built-in text format "@"; every cell uses it.
    const QString styles = unzipped(path, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(styles.contains(QStringLiteral("numFmtId=\"49\""))) << styles.toStdString();
    const QString sheet = unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(sheet.count(QStringLiteral("<c ")), 8);
    EXPECT_EQ(sheet.count(QStringLiteral(" s=\"1\"")), 8);
    EXPECT_TRUE(sheet.contains(QStringLiteral("<c r=\"A2\" s=\"1\" t=\"s\">")));
}

TEST(TableExport, csv_isUtf8WithBomCrLfAndQuotesOnlyWhereNeeded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet1.csv"));
    QString error;
    ASSERT_TRUE(writeCsv(path, sample(), &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("序号,名称\r\n").toUtf8()
                                  + "007,\"a,b\"\r\n2,\"say \"\"hi\"\"\r\nnext\"\r\n3,\r\n\r\n");
}

TEST(TableExport, csvFieldsThatLookLikeFormulas_areWrittenAsTextWithoutNul)
{
    const QString hyperlink = QStringLiteral("=HYPERLINK(\"http://x\",\"点\")");
    const ExportTable table{QStringLiteral("sheet1"),
                            {QStringLiteral("名称"), QStringLiteral("标签")},
                            {{hyperlink, QStringLiteral("+1+1")},
                             {QStringLiteral("-2"), QStringLiteral("@SUM(A1)")},
                             {QStringLiteral("\tx"), QStringLiteral("\r=1")},
                             {QStringLiteral("a=b-c"), QStringLiteral("n") + QChar(u'\0') + QStringLiteral("ul")}}};
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("sheet1.csv"));
    ASSERT_TRUE(writeCsv(csv, table, nullptr));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("名称,标签\r\n").toUtf8()
                                  + "\"'=HYPERLINK(\"\"http://x\"\",\"\"" + QStringLiteral("点").toUtf8()
                                  + "\"\")\",'+1+1\r\n"
                                    "'-2,'@SUM(A1)\r\n"
                                    "'\tx,\"'\r=1\"\r\n"
                                    "a=b-c,nul\r\n\r\n");

    // The workbook already holds every cell as text, exactly as given.
    const QString xlsx = dir.filePath(QStringLiteral("sheet1.xlsx"));
    ASSERT_TRUE(writeXlsx(xlsx, table, nullptr));
    const QString strings = unzipped(xlsx, QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>=HYPERLINK(")))
        << strings.toStdString();
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>+1+1</t>")));
    EXPECT_FALSE(unzipped(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")).contains(QStringLiteral("<f>")));
}

TEST(TableExport, unwritableFolderOrBadSheetName_failWithReasonAndNoFile)
{
    QTemporaryDir dir;
    ExportTable bad = sample();
    bad.sheetName = QStringLiteral("a/b");
    QString error;
    EXPECT_FALSE(writeXlsx(dir.filePath(QStringLiteral("x.xlsx")), bad, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.xlsx"))));

    test::ReadOnlyFolder locked(dir.path());
    if (!locked.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    for (const QString& name : {QStringLiteral("y.xlsx"), QStringLiteral("y.csv")}) {
        error.clear();
        const QString path = dir.filePath(name);
        const bool written = name.endsWith(QLatin1String("csv")) ? writeCsv(path, sample(), &error)
                                                                : writeXlsx(path, sample(), &error);
        EXPECT_FALSE(written);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(path));
    }
}
