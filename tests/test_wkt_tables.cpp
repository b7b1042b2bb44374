// The generated parse tables: the facts the engine relies on that the grammar alone does not
// state. The table contents themselves are guarded by the grammar check.
#include "wkt/WktRules.h"
#include "wkt/WktTablesInternal.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QuarnWktTables& T = kQuarnWktTables;

TEST(WktTables, ConflictsAreTheFourProjectionEndsAndNothingElseReducesOnALookahead) {
    // Nothing reduces on a lookahead token in this grammar: states reduce by default.
    for (int state = 0; state < T.stateCount; ++state)
        EXPECT_EQ(T.reduceIndex[state], 0);
    // Four states have a conflict, each on ',' alone, each offering a shift to a PARAMETER
    // and the reduction of one of the projection rules 13 to 16.
    std::set<int> lists, reductions;
    for (int state = 0; state < T.stateCount; ++state) {
        int base = T.conflictIndex[state];
        if (base == 0) continue;
        for (int token = 0; token <= T.maxToken; ++token) {
            int index = base + token;
            if (index < 0 || index > T.tableSize || T.check[index] != token) continue;
            EXPECT_EQ(token, ',') << "state " << state;
            lists.insert(T.action[index]);
            reductions.insert(T.conflicts[T.action[index] + 1]);
            EXPECT_EQ(T.conflicts[T.action[index] + 2], -1);
        }
    }
    EXPECT_EQ(lists, (std::set<int>{0, 3, 6, 9}));
    EXPECT_EQ(reductions, (std::set<int>{13, 14, 15, 16}));
}

// Every rule the tables number has its own name, and a name stands for its production.
TEST(WktTables, RuleNames) {
    EXPECT_EQ(QuarnWktRuleName(0), kQuarnWktRuleNone);
    std::set<int> names;
    for (int rule = 1; rule < T.ruleCount; ++rule) {
        EXPECT_NE(QuarnWktRuleName(rule), kQuarnWktRuleNone) << rule;
        names.insert(QuarnWktRuleName(rule));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(T.ruleCount - 1));
    const std::pair<EQuarnWktRule, const char*> productions[] = {
        {kQuarnWktRuleProjectionParameters,
         "projection : PROJECTION '[' name ']' ',' parameter_list"},
        {kQuarnWktRuleNumberInteger, "number : INTEGER"},
    };
    for (const auto& production : productions) {
        int rule = 1;
        while (rule < T.ruleCount && QuarnWktRuleName(rule) != production.first)
            ++rule;
        ASSERT_LT(rule, T.ruleCount);
        EXPECT_STREQ(T.ruleTexts[rule], production.second);
    }
}

} // namespace
