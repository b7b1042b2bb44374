// The parse tables of the WKT reader, as the generator laid them out in
// wkt/WktTables.generated.cpp from wkt/WktGrammar.y. Used by the parse engine, the lexer and
// the tests.
#ifndef QUARN_WKT_WKTTABLESINTERNAL_H
#define QUARN_WKT_WKTTABLESINTERNAL_H

namespace quarn::detail {

struct WktTables {
    const int* ruleLeft;           // per rule: nonterminal of its left side (rule 0: -1)
    const int* ruleLength;         // per rule: symbols on its right side
    const int* defaultReduction;   // per state: rule reduced whatever the token, 0 for none
    const int* defaultGoto;        // per nonterminal: state after a reduction without a goto entry
    const int* shiftIndex;         // per state: base into `action` for shifts, 0 for none
    const int* reduceIndex;        // per state: base into `action` for reductions on a token
    const int* conflictIndex;      // per state: base into `action` for conflicts, 0 for none
    const int* gotoIndex;          // per nonterminal: base into `action` for gotos by state
    const int* action;             // next state, rule or conflict-list index
    const int* check;              // the token (or state) for which an `action` entry holds
    const int* conflicts;          // lists: a shift target, then rules to try, ended by -1
    const char* const* tokenNames; // per token code up to maxToken; null where none
    const char* const* ruleTexts;  // per rule: the production as text
    int ruleCount;
    int stateCount;
    int gotoCount;     // nonterminals other than the start symbol the generator adds
    int conflictCount; // entries of `conflicts`
    int tableSize;     // highest valid index into `action` and `check`
    int finalState;    // the state after the start symbol has been recognised
    int maxToken;      // highest token code
    int errorToken;    // the code of the error token
};

extern const WktTables kWktTables;

// Whether the calling thread's parses try the direct reader before the tables (they do
// unless turned off); the tests read texts both ways and compare.
void SetWktDirectReading(bool on);

} // namespace quarn::detail

#endif
