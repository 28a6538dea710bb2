#include "stores/sqlcipher_library.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(SqlcipherLibraryTest, missingLibraryOrFunction_isRefusedNamingIt)
{
    QString error;
    EXPECT_FALSE(loadSqlcipherLibrary(QStringLiteral("libnot-sqlcipher.so.0"), QStringLiteral("libc.so.6"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("libnot-sqlcipher.so.0"))) << error.toStdString();

    // The C library opens, but has none of SQLCipher's functions.
    error.clear();
    EXPECT_FALSE(loadSqlcipherLibrary(QStringLiteral("libc.so.6"), QStringLiteral("libc.so.6"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("libc.so.6 lacks sqlite3_open_v2"))) << error.toStdString();
}
