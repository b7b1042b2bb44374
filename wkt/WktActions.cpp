// The rule actions of the WKT grammar: what the parser does each time it reduces by a rule
// outside a trial parse. Rule numbers are those of wkt/WktGrammar.y.
//
// This file holds RunAction and only what RunAction alone uses: the engine's recording test
// compiles the parser with a RunAction of its own in place of this file.
#include "WktParser.h"

// No rule creates anything yet: every rule leaves its value cleared, so a parse accepts or
// rejects the text and yields no result. Actions that call the factory must allow for a
// null factory pointer (a parser used on its own).
void CQuarnWKTCoordinateSystemParser::RunAction(int, QuarnWktValue*, QuarnWktValue&) {}
