// Tests of reading definition strings: targets, quoting, statements, and malformed or overlong input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/tweakbar/DefinitionParser.h"
#include "editor/tweakbar/ValueText.h"

namespace {

using Tweak::DefinitionParser;
using Tweak::DefinitionStatement;
using Targets = DefinitionParser::Targets;
using Attributes = std::vector<std::pair<std::string, std::string>>;

struct Parsed {
    std::vector<DefinitionStatement> statements;
    std::vector<std::string> errors;
};

Parsed Parse(std::string_view text, Targets targets = Targets::Named) {
    Parsed parsed;
    parsed.statements = DefinitionParser::Parse(text, targets, parsed.errors);
    return parsed;
}

TEST(DefinitionParser, QuotedNamesAndValuesMayHoldSpacesSlashesAndTheOtherQuote) {
    const Parsed parsed = Parse(R"('My Bar'/"Max Speed" label='Top "speed"' position="10 20" step=0.5)");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
    ASSERT_EQ(parsed.statements.size(), 1u);
    const DefinitionStatement& statement = parsed.statements[0];
    EXPECT_EQ(statement.barName, "My Bar");
    EXPECT_EQ(statement.entryName, "Max Speed");
    EXPECT_EQ(statement.attributes,
              (Attributes{{"label", "Top \"speed\""}, {"position", "10 20"}, {"step", "0.5"}}));

    const Parsed slashed = Parse("'Tools/Debug' visible=false");
    ASSERT_EQ(slashed.statements.size(), 1u);
    EXPECT_EQ(slashed.statements[0].barName, "Tools/Debug");
    EXPECT_EQ(slashed.statements[0].entryName, "");
}

TEST(DefinitionParser, StatementsAreLinesWhoseBlanksAndEmptyLinesDoNotCount) {
    const Parsed parsed =
        Parse("  Bar  size='200 300'\n\n \t\nBar/speed   Label = Speed  fontResizable=false\r\nOther");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
    ASSERT_EQ(parsed.statements.size(), 3u);
    EXPECT_EQ(parsed.statements[0].line, 1);
    EXPECT_EQ(parsed.statements[1].line, 4);
    // Attribute names are matched in any case.
    EXPECT_EQ(parsed.statements[1].attributes, (Attributes{{"label", "Speed"}, {"fontresizable", "false"}}));
    EXPECT_EQ(parsed.statements[2].barName, "Other");
    EXPECT_TRUE(parsed.statements[2].attributes.empty());
    EXPECT_TRUE(Parse("").statements.empty());
    EXPECT_TRUE(Parse(" \n\n").errors.empty());
}

TEST(DefinitionParser, TheAddCallsDefinitionsHoldAttributesOnly) {
    const Parsed parsed = Parse("group=Physics label='Add Component'\nopened=false", Targets::Implied);
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
    ASSERT_EQ(parsed.statements.size(), 2u);
    EXPECT_EQ(parsed.statements[0].barName, "");
    EXPECT_EQ(parsed.statements[0].attributes,
              (Attributes{{"group", "Physics"}, {"label", "Add Component"}}));

    EXPECT_EQ(Parse("Bar/speed label=x", Targets::Implied).errors.size(), 1u);
}

TEST(DefinitionParser, EachMalformedStatementIsReportedWithItsLineAndTheOthersAreKept) {
    const char* const malformed[] = {
        "Bar label='unterminated",
        "'Bar label=x",
        "Bar visible",
        "Bar visible=",
        "Bar visible = ",
        "label=x",
        "Bar/ label=x",
        "/speed label=x",
        "Bar/speed/more label=x",
        "Bar a=b'c'",
        "Bar 'quoted'",
        "Bar $x=1",
        "Bar =1",
        "Bar'x' a=1",
        "Bar\x01 label=x",
        "''/speed label=x",
    };
    for (const char* line : malformed) {
        const Parsed parsed = Parse(std::string("Good a=1\n") + line + "\nGood b=2");
        EXPECT_EQ(parsed.statements.size(), 2u) << line;
        ASSERT_EQ(parsed.errors.size(), 1u) << line;
        EXPECT_EQ(parsed.errors[0].rfind("line 2: ", 0), 0u) << parsed.errors[0];
    }
}

TEST(DefinitionParser, OverlongNamesValuesAndDefinitionsAreRefused) {
    const std::string longestName(Tweak::kMaxNameLength, 'n');
    const std::string longestValue(Tweak::kMaxValueLength, 'v');
    EXPECT_TRUE(Parse(longestName + "/" + longestName + " label='" + longestValue + "'").errors.empty());

    const std::string tooLongName(Tweak::kMaxNameLength + 1, 'n');
    const std::string tooLongValue(Tweak::kMaxValueLength + 1, 'v');
    EXPECT_EQ(Parse(tooLongName + " a=1").errors.size(), 1u);
    EXPECT_EQ(Parse("'" + tooLongName + "' a=1").errors.size(), 1u);
    EXPECT_EQ(Parse("Bar/" + tooLongName + " a=1").errors.size(), 1u);
    EXPECT_EQ(Parse("Bar " + tooLongName + "=1").errors.size(), 1u);
    EXPECT_EQ(Parse("Bar label=" + tooLongValue).errors.size(), 1u);
    EXPECT_EQ(Parse("Bar label='" + tooLongValue + "'").errors.size(), 1u);

    const std::string huge(DefinitionParser::kMaxDefinitionLength + 1, ' ');
    const Parsed parsed = Parse("Bar a=1\n" + huge);
    EXPECT_TRUE(parsed.statements.empty());
    EXPECT_EQ(parsed.errors.size(), 1u);
}

// Each cut lies in a buffer of exactly its size, so the address sanitizer sees any read past its end.
TEST(DefinitionParser, EveryCutOfADefinitionIsReadWithinItsBounds) {
    const std::string text = "'My Bar'/\"x y\" label='a b' step=0.5\nBar/z group=G\n";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::vector<char> cut(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
        const Parsed parsed = Parse(std::string_view(cut.data(), cut.size()));
        EXPECT_LE(parsed.statements.size() + parsed.errors.size(), 2u);
    }
}

}  // namespace
