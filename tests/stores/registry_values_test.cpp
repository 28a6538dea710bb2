#include "stores/registry_values.h"

#include "platform/registry_store.h"
#include "support/temp_program.h"

#include <gtest/gtest.h>

using namespace orvalen;
namespace rv = orvalen::registry_values;

TEST(RegistryValues, absentValues_giveTheirDefaults)
{
    test::TempProgram program;
    EXPECT_EQ(rv::clockmode(program.registry), 0);
    EXPECT_FALSE(rv::simple(program.registry));
    EXPECT_FALSE(rv::timeRecord(program.registry));
    EXPECT_EQ(rv::positionLeft(program.registry, 5, -100), -100);
    EXPECT_FALSE(rv::vision(program.registry).has_value());
}

TEST(RegistryValues, values_roundTripWithTheirTypes)
{
    test::TempProgram program;
    RegistryStore& r = program.registry;
    ASSERT_TRUE(rv::setClockmode(r, 2));
    ASSERT_TRUE(rv::setSimple(r, true));
    ASSERT_TRUE(rv::setTimeRecord(r, true));
    ASSERT_TRUE(rv::setPosition(r, 12, 14400, -30));
    ASSERT_TRUE(rv::setVision(r, "4"));
    RegistryStore fresh(program.registryPath());
    EXPECT_EQ(rv::clockmode(fresh), 2);
    EXPECT_TRUE(rv::simple(fresh));
    EXPECT_TRUE(rv::timeRecord(fresh));
    EXPECT_EQ(rv::positionLeft(fresh, 12, -100), 14400);
    EXPECT_EQ(rv::positionTop(fresh, 12, -100), -30);
    EXPECT_EQ(rv::vision(fresh).value_or(""), "4");
    EXPECT_EQ(fresh.read("clockmode")->type, RegistryStore::Type::Dword);
    EXPECT_EQ(fresh.read("pictureleft12")->type, RegistryStore::Type::Dword);
    EXPECT_EQ(fresh.read("Time_Record")->type, RegistryStore::Type::Dword);
    EXPECT_EQ(fresh.read("vision")->type, RegistryStore::Type::String);
}

TEST(RegistryValues, oddStoredValues_readSafely)
{
    test::TempProgram program;
    RegistryStore& r = program.registry;
    ASSERT_TRUE(r.writeDword("clockmode", 7));
    EXPECT_EQ(rv::clockmode(r), 0);
    ASSERT_TRUE(r.writeText("clockmode", "1"));
    EXPECT_EQ(rv::clockmode(r), 1);
    ASSERT_TRUE(r.writeText("Time_Record", "abc"));
    EXPECT_FALSE(rv::timeRecord(r));
    ASSERT_TRUE(r.writeDword("simple", -1));
    EXPECT_TRUE(rv::simple(r));
}
