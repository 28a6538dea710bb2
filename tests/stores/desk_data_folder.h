#pragma once
#include "platform/program_folder.h"
#include "stores/desk_data_schema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {

// A temporary program folder holding a new, empty DeskData.db.
struct DeskDataFolder : ::testing::Test {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};

    void SetUp() override { ASSERT_TRUE(createDeskData(folder.file("DeskData.db"))); }
};

} // namespace orvalen::test
