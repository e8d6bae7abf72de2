// The report of a codeplug: every channel and zone by name (HTML-escaped), the members of the
// lists, the contacts only when asked for, no encryption keys.
#include "report/codeplug_report.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace r605 {
namespace {

// The text as HTML shows it.
std::string escaped(const std::string& text) {
    static const std::map<char, std::string> entities{
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
    std::string out;
    for (const char c : text) {
        const auto entity = entities.find(c);
        out += entity != entities.end() ? entity->second : std::string(1, c);
    }
    return out;
}

TEST(CodeplugReport, HoldsEveryChannelAndZoneAndTheContactsOnlyWhenAsked) {
    const Language english = Language::load(test::sourceDataFolder(), 1);
    const ColumnContext context{english, bandRangesForCode(0).value()};
    Codeplug codeplug = SampleFullCodeplug(0, context.bands, 3);
    codeplug.Channel[7].Name = "<A&B>";
    codeplug.Zone[2].Name = "Zone \"2\"";

    const std::string without =
        reportHtml(buildReport(codeplug, context, {false, "x.rdt", "2026-01-02"}));
    for (const ChannelRec& channel : codeplug.Channel)
        EXPECT_NE(without.find("<td>" + escaped(channel.Name) + "</td>"), std::string::npos)
            << channel.Name;
    for (const ZoneRec& zone : codeplug.Zone)
        EXPECT_NE(without.find("<td>" + escaped(zone.Name) + "</td>"), std::string::npos)
            << zone.Name;
    // A zone's channels by name.
    const ZoneRec& zone = codeplug.Zone[0];
    EXPECT_NE(without.find(escaped(codeplug.Channel[zone.Members[0]].Name) + " | " +
                           escaped(codeplug.Channel[zone.Members[1]].Name)),
              std::string::npos);
    EXPECT_NE(without.find("<h2>Channels (256)</h2>"), std::string::npos);
    EXPECT_EQ(without.find("<h2>Digital Contacts"), std::string::npos);
    EXPECT_NE(without.find("left out of this report (10000 in use)"), std::string::npos);
    EXPECT_EQ(without.find(codeplug.AesKey[0].Key), std::string::npos);
    EXPECT_NE(without.find("<td>2026-01-02</td>"), std::string::npos);

    const std::string with =
        reportHtml(buildReport(codeplug, context, {true, "x.rdt", "2026-01-02"}));
    EXPECT_NE(with.find("<h2>Digital Contacts (10000)</h2>"), std::string::npos);
    EXPECT_NE(with.find("<td>" + escaped(codeplug.Contact[9999].Name) + "</td>"),
              std::string::npos);
}

} // namespace
} // namespace r605
