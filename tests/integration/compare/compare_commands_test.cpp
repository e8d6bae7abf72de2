// `r605 diff` and `r605 report` as a user runs them: exit status 0 equal, 1 different, 2 trouble;
// the JSON form parses; the report as HTML is the codeplug's, and as PDF has the pages the command
// says, grows by the contacts, and embeds the Chinese font its text needs.
#include "cli_process.h"
#include "document/codeplug_files.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <regex>
#include <string>
#include <vector>

namespace r605 {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

// The pages of a PDF file: its page objects.
int pdfPages(const fs::path& file) {
    const std::string pdf = test::readFile(file);
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

int printedPages(const CommandRun& report) {
    std::smatch match;
    static const std::regex pages(R"(: (\d+) pages?\n)");
    return std::regex_search(report.out, match, pages) ? std::stoi(match[1]) : -1;
}

TEST(CompareCommands, DiffExitsByWhetherTheCodeplugsDiffer) {
    test::CliFolder dir;
    Codeplug a = NewCodeplug(0).value();
    a.Channel[0].Name = "Home";
    a.Channel[0].Power = 0;
    Codeplug b = a;
    b.Channel[0].Power = 3;
    dir.save("a.json", a);
    dir.save("a.rdt", a);
    dir.save("b.rdt", b);

    const CommandRun same = dir.run({"diff", dir("a.json"), dir("a.rdt")});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "No differences\n");

    const CommandRun differ = dir.run({"diff", dir("a.rdt"), dir("b.rdt")});
    EXPECT_EQ(differ.exitCode, 1) << differ.err;
    EXPECT_EQ(differ.out, "Channels 1 \"Home\": Power: Low → Super High\n"
                          "1 changed, 0 added, 0 removed, 0 renumbered\n");

    dir.language = "zh";
    const CommandRun json = dir.run({"diff", dir("a.rdt"), dir("b.rdt"), "--json"});
    dir.language = "en";
    ASSERT_EQ(json.exitCode, 1);
    const auto parsed = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << json.out;
    EXPECT_EQ(parsed["records"][0]["fields"][0]["heading"], "功率");
    EXPECT_EQ(parsed["summary"]["changed"], 1);

    EXPECT_EQ(dir.run({"diff", dir("a.rdt")}).exitCode, 2);
    const CommandRun missing = dir.run({"diff", dir("a.rdt"), dir("none.rdt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("none.rdt"), std::string::npos) << missing.err;
}

TEST(CompareCommands, ReportAsHtmlAndAsPdfPages) {
    test::CliFolder dir;
    Codeplug full = SampleFullCodeplug(0, bandRangesForCode(0).value(), 2);
    dir.save("full.json", full);
    Codeplug small = NewCodeplug(0).value();
    dir.save("small.rdt", small);

    const CommandRun html =
        dir.run({"report", dir("full.json"), "-o", dir("full.html"), "--no-contacts"});
    ASSERT_EQ(html.exitCode, 0) << html.err;
    // What the report holds is the report's test; here that it is the codeplug's.
    const std::string page = test::readFile(dir / "full.html");
    EXPECT_NE(page.find(">" + full.Channel[255].Name + "<"), std::string::npos);
    EXPECT_NE(page.find(">" + full.Zone[0].Name + "<"), std::string::npos);

    const CommandRun one = dir.run({"report", dir("small.rdt"), "-o", dir("small.pdf")});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(printedPages(one), 1);
    EXPECT_EQ(pdfPages(dir / "small.pdf"), 1);

    dir.language = "zh";
    const CommandRun without =
        dir.run({"report", dir("full.json"), "-o", dir("without.pdf"), "--no-contacts"}, 120);
    ASSERT_EQ(without.exitCode, 0) << without.err;
    EXPECT_EQ(pdfPages(dir / "without.pdf"), printedPages(without));
    EXPECT_GT(printedPages(without), 1);
    EXPECT_NE(test::readFile(dir / "without.pdf").find("WenQuanYi"), std::string::npos);
    // 10000 contacts take at least a page per 60 of them.
    const CommandRun with = dir.run({"report", dir("full.json"), "-o", dir("with.pdf")}, 120);
    ASSERT_EQ(with.exitCode, 0) << with.err;
    EXPECT_EQ(pdfPages(dir / "with.pdf"), printedPages(with));
    EXPECT_GE(printedPages(with), printedPages(without) + 10000 / 60);

    EXPECT_EQ(dir.run({"report", dir("full.json"), "-o", dir("x.txt")}).exitCode, 2);
}

} // namespace
} // namespace r605
