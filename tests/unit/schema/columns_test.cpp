// The family columns: every grid names columns that exist, and every cell of a full codeplug
// reads back into the same record it was shown from, in every language.
#include "schema/family_columns.h"
#include "schema/family_tables.h"
#include "schema/grid_layout.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(Columns, EveryGridShowsColumnsOfItsFamily) {
    for (int grid = 0; grid < kGridCount; ++grid) {
        const Family family = *familyOfGrid(grid);
        const FamilyColumns* columns = columnsOf(family);
        if (familyInfo(family).shape == FamilyShape::View && family != Family::ContactPage)
            continue; // what a radio reports about itself: no columns of the codeplug
        for (const GridColumn& column : gridColumns(grid)) {
            ASSERT_NE(columns, nullptr) << "grid " << grid;
            EXPECT_TRUE(columns->columnNamed(column.column))
                << "grid " << grid << " " << column.column;
        }
    }
}

// Shown, then read back: the record must not change. This is what a grid edit that retypes a
// cell, or a list export followed by an import, does to every value.
TEST(Columns, CellsReadBackIntoTheSameRecords) {
    const BandRanges bands = *bandRangesForCode(0);
    const Codeplug sample = SampleFullCodeplug(0, bands, 7);
    for (const int languageIndex : {1, 2, 3}) {
        const Language language = Language::load(test::sourceDataFolder(), languageIndex);
        const ColumnContext context{language, bands};
        for (const FamilyInfo& info : allFamilies()) {
            const FamilyColumns* columns = columnsOf(info.family);
            if (columns == nullptr || info.shape != FamilyShape::Table)
                continue;
            Codeplug codeplug = sample;
            // Every tenth record keeps the test quick and still meets every kind of value.
            for (std::size_t entry = 0; entry < columns->size(); entry += 10) {
                if (!columns->inUse(codeplug, entry))
                    continue;
                for (std::size_t c = 0; c < columns->columns().size(); ++c) {
                    const ColumnInfo& column = columns->columns()[c];
                    const std::string shown = columns->format(codeplug, entry, c, context);
                    if (column.kind == ColumnKind::Number)
                        continue;
                    const Status read = columns->parse(codeplug, entry, c, shown, context);
                    if (!read.ok()) {
                        // Values worked out from several fields are shown only.
                        EXPECT_NE(read.error().text.find("worked out"), std::string::npos)
                            << info.jsonName << " " << entry + 1 << " " << column.name << ": "
                            << read.error().text;
                        continue;
                    }
                    EXPECT_EQ(columns->format(codeplug, entry, c, context), shown)
                        << info.jsonName << " " << entry + 1 << " " << column.name;
                }
            }
        }
    }
}

TEST(Columns, RefusedCellsNameTheirPlaceAndChangeNothing) {
    Codeplug codeplug;
    codeplug.Channel[4].Used = 1;
    const Codeplug before = codeplug;
    const Language language = Language::load(test::sourceDataFolder(), 1);
    const ColumnContext context{language, *bandRangesForCode(0)};
    const FamilyColumns& channels = *columnsOf(Family::Channel);
    const auto refused = [&](std::string_view column, std::string_view text) {
        const Status status =
            channels.parse(codeplug, 4, *channels.columnNamed(column), text, context);
        EXPECT_FALSE(status.ok()) << column << " " << text;
        if (!status.ok()) {
            EXPECT_NE(status.error().text.find("Channel 5, " + std::string(column)),
                      std::string::npos)
                << status.error().text;
        }
    };
    refused("RxFreq", "145.000");  // outside the band
    refused("Power", "Extreme");   // no such option
    refused("Contact", "Nobody");  // no contact of that name
    refused("RxTone", "D999N");    // no such DCS code
    refused("UserCtcss", "300.0"); // above the tone range
    refused("UserCtcss", "1e300"); // far beyond it: refused, never converted
    EXPECT_EQ(codeplug.Channel[4].Power, before.Channel[4].Power);
    EXPECT_EQ(codeplug.Channel[4].RxFreq, before.Channel[4].RxFreq);
}

} // namespace
} // namespace r605
