// Whole-table geometry of the main configurations against reviewed dumps.
// UPDATE_GOLDEN=1 writes the dumps instead of comparing (review them before committing).
#include "tests/table/test_layout_support.h"

#ifndef GOLDEN_DIR
#error "GOLDEN_DIR must name the folder of the golden dumps"
#endif

namespace {

struct Config {
    const char* file;
    int players, centers, twips, layoutMode;
};

const Config kConfigs[] = {
    {"two_3piles_15360", 2, 3, 15360, 0},
    {"two_4piles_15360", 2, 4, 15360, 0},
    {"two_3piles_12000", 2, 3, 12000, 0},
    {"two_4piles_12000", 2, 4, 12000, 0},
    {"three_12000", 3, 4, 12000, 0},
    {"three_15360", 3, 4, 15360, 0},
    {"four_12000", 4, 4, 12000, 0},
    {"four_12800", 4, 4, 12800, 0},
    {"four_15360", 4, 4, 15360, 0},
    {"small_two_3piles_12000", 2, 3, 12000, 2},
    {"small_two_4piles_12000", 2, 4, 12000, 2},
};

class LayoutGoldenTest : public LayoutTest, public ::testing::WithParamInterface<Config> {};

TEST_P(LayoutGoldenTest, MatchesTheReviewedDump) {
    const Config& c = GetParam();
    Table(c.players, c.centers, c.twips, c.layoutMode);
    CompareGolden(Layout_Dump(), c.file);
}

INSTANTIATE_TEST_SUITE_P(Configs, LayoutGoldenTest, ::testing::ValuesIn(kConfigs),
                         [](const ::testing::TestParamInfo<Config>& info) {
                             return std::string(info.param.file);
                         });

} // namespace
