// The generated parse tables: the facts the engine relies on.
#include "wkt/WktRules.h"
#include "wkt/WktTablesInternal.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const QuarnWktTables& T = kQuarnWktTables;

TEST(WktTables, SizesAndConstants) {
    EXPECT_EQ(T.ruleCount, 100);
    EXPECT_EQ(T.stateCount, 290);
    // 52 nonterminals counting the start symbol $accept, which has no goto entries.
    EXPECT_EQ(T.gotoCount + 1, 52);
    EXPECT_EQ(T.finalState, 8);
    EXPECT_EQ(T.maxToken, 289);
    EXPECT_EQ(T.errorToken, 256);
    EXPECT_EQ(T.ruleLeft[0], -1);
    // PROJCS with axes and authority; GEOCCS with three axes and authority.
    EXPECT_EQ(T.ruleLength[11], 16);
    EXPECT_EQ(T.ruleLength[40], 18);
    EXPECT_STREQ(T.ruleTexts[89], "axis_list : axis_list ',' axis");
    // Nothing reduces on a lookahead token in this grammar: states reduce by default.
    for (int state = 0; state < T.stateCount; ++state)
        EXPECT_EQ(T.reduceIndex[state], 0);
}

TEST(WktTables, ConflictsAreTheFourProjectionEnds) {
    const std::vector<int> expected = {175, 14, -1, 229, 16, -1, 126, 13, -1, 126, 15, -1};
    ASSERT_EQ(T.conflictCount, 12);
    EXPECT_EQ(std::vector<int>(T.conflicts, T.conflicts + 12), expected);

    // Four states have a conflict, each on ',' alone, each offering a shift to a PARAMETER
    // and the reduction of one of the projection rules 13 to 16.
    std::set<int> lists;
    int conflictStates = 0;
    for (int state = 0; state < T.stateCount; ++state) {
        int base = T.conflictIndex[state];
        if (base == 0) continue;
        ++conflictStates;
        for (int token = 0; token <= T.maxToken; ++token) {
            int index = base + token;
            if (index < 0 || index > T.tableSize || T.check[index] != token) continue;
            EXPECT_EQ(token, ',') << "state " << state;
            lists.insert(T.action[index]);
        }
    }
    EXPECT_EQ(conflictStates, 4);
    EXPECT_EQ(lists, (std::set<int>{0, 3, 6, 9}));
}

TEST(WktTables, TokenNames) {
    std::string named;
    for (int code = 257; code <= 289; ++code)
        named += std::string(T.tokenNames[code]) + " ";
    EXPECT_EQ(named, "AUTHORITY AXIS COMPD_CS CONCAT_MT DATUM DOWN EAST FITTED_CS GEOCCS GEOGCS "
                     "INVERSE_MT LOCAL_CS LOCAL_DATUM NORTH OTHER PARAMETER PARAM_MT "
                     "PASSTHROUGH_MT PRIMEM PROJCS PROJECTION SOUTH SPHEROID TOWGS84 UNIT UP "
                     "VERT_DATUM VERT_CS WEST THREEDIM INTEGER REAL STRING ");
    EXPECT_STREQ(T.tokenNames[0], "end-of-file");
    // Of the single characters only those the grammar uses have names.
    std::string characters;
    for (int code = 1; code < 257; ++code)
        if (T.tokenNames[code] != nullptr) characters += T.tokenNames[code];
    EXPECT_EQ(characters, "',''['']'");
}

} // namespace

namespace {

// The rules are named by the grammar itself: every rule the tables number has its own name,
// and a name stands for the production it was written on.
TEST(WktTables, RuleNames) {
    const QuarnWktTables& tables = kQuarnWktTables;
    EXPECT_EQ(QuarnWktRuleName(0), kQuarnWktRuleNone);
    std::set<int> names;
    for (int rule = 1; rule < tables.ruleCount; ++rule) {
        EQuarnWktRule name = QuarnWktRuleName(rule);
        EXPECT_NE(name, kQuarnWktRuleNone) << rule;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(tables.ruleCount - 1));
    const std::pair<EQuarnWktRule, const char*> productions[] = {
        {kQuarnWktRuleProjectionParameters,
         "projection : PROJECTION '[' name ']' ',' parameter_list"},
        {kQuarnWktRuleDatumShiftGridFiles,
         "datum : DATUM '[' name ',' spheroid ',' to_wgs84 ',' threedim ']'"},
        {kQuarnWktRuleNumberInteger, "number : INTEGER"},
        {kQuarnWktRuleParamMtListNext, "param_mt_list : param_mt_list ',' param_mt"},
    };
    for (const auto& production : productions) {
        int rule = 1;
        while (rule < tables.ruleCount && QuarnWktRuleName(rule) != production.first)
            ++rule;
        ASSERT_LT(rule, tables.ruleCount);
        EXPECT_STREQ(tables.ruleTexts[rule], production.second);
    }
}

} // namespace
