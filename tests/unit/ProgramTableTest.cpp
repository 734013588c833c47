#include "catalogue/ProgramTable.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

TEST(ProgramTable, EmptyUntilFilled) {
    ProgramTable table;
    ASSERT_NE(table.slot(0), nullptr);
    EXPECT_EQ(*table.slot(0), L"");
    EXPECT_EQ(*table.slot(359), L"");
}

TEST(ProgramTable, FilledSlotsNameTheCalculatorsAndTheRestStayEmpty) {
    ProgramTable table;
    table.fill();
    const struct {
        int slot;
        const wchar_t* name;
    } cases[] = {
        {0, L"Ten0000.exe"}, {1, L"Ten0001.exe"}, {72, L"Ten0072.exe"}, {149, L"Ten0149.exe"}, {359, L"Ten0359.exe"},
        {360, L""},          {400, L""}};
    for (const auto& c : cases) {
        ASSERT_NE(table.slot(c.slot), nullptr) << c.slot;
        EXPECT_EQ(*table.slot(c.slot), c.name) << c.slot;
    }
    table.fill();
    EXPECT_EQ(*table.slot(359), L"Ten0359.exe");
}

TEST(ProgramTable, LookUpOutsideTheSlotsIsAnError) {
    ProgramTable table;
    table.fill();
    EXPECT_EQ(table.slot(401), nullptr);
    EXPECT_EQ(table.slot(-1), nullptr);
}

}  // namespace
}  // namespace vandrel
