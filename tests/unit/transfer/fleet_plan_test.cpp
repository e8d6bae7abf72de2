// A fleet plan read as a dealer's spreadsheet writes it, and each radio's own ID and name put into
// radio ID entry 1 through the radio ID columns.
#include "schema/new_codeplug.h"
#include "text/language.h"
#include "transfer/fleet_plan.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(FleetPlan, ReadsRadiosAndRefusesWhatCannotBeWritten) {
    const auto plan = parseFleetPlan("Port,Radio ID,Name,Password\r\n"
                                     "/dev/ttyUSB0, 2620001 ,\"Alpha, 1\"\r\n"
                                     "\r\n"
                                     "/dev/ttyUSB1,2620002,Bravo,1234\r\n");
    ASSERT_TRUE(plan.ok()) << plan.error().text;
    ASSERT_EQ(plan->size(), 2u);
    EXPECT_EQ((*plan)[0].port, "/dev/ttyUSB0");
    EXPECT_EQ((*plan)[0].radioId, "2620001");
    EXPECT_EQ((*plan)[0].name, "Alpha, 1");
    EXPECT_FALSE((*plan)[0].password);
    EXPECT_EQ((*plan)[1].password, "1234");
    EXPECT_EQ((*plan)[1].line, 4u);
    EXPECT_TRUE(parseFleetPlan("/dev/ttyUSB0,1,A\n").ok()); // no header

    const auto twice = parseFleetPlan("a,1,A\nb,2,B\na,3,C\n");
    ASSERT_FALSE(twice.ok());
    EXPECT_EQ(twice.error().text, "line 3: the port a is already the port of line 1");
    EXPECT_FALSE(parseFleetPlan("a,1,A\nb,,B\n").ok());
    EXPECT_FALSE(parseFleetPlan("Port,ID,Name\n").ok());
}

TEST(FleetPlan, PutsTheRadiosIdentityIntoRadioIdOne) {
    const Language language;
    const ColumnContext context{language, *bandRangesForCode(0)};
    Codeplug codeplug = NewCodeplug(0).value();
    codeplug.Person[0].Used = 0;
    Document document(codeplug);
    const auto changes = setFleetRadioIdentity(
        document, FleetRadio{"p", "2620001", "Alpha Bravo Charlie Delta", std::nullopt, 2},
        context);
    ASSERT_TRUE(changes.ok()) << changes.error().text;
    const PersonRec& person = document.codeplug().Person[0];
    EXPECT_EQ(person.Used, 1);
    EXPECT_EQ(person.Id, 2620001);
    EXPECT_EQ(person.Name, "Alpha Bravo Char"); // 16 bytes
    EXPECT_TRUE(document.codeplug().Person[1] == codeplug.Person[1]);

    const auto refused =
        setFleetRadioIdentity(document, FleetRadio{"p", "123456789", "", std::nullopt, 5}, context);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().text.starts_with("line 5: radio ID:")) << refused.error().text;
    EXPECT_EQ(document.codeplug().Person[0].Id, 2620001);
}

} // namespace
} // namespace r605
