// The datum-name rules: the shift to WGS 84 of well-known datums, chosen by datum name for
// datums that arrive without one while projection files are loaded (internal).
#ifndef QUARN_FACTORY_DATUMRULES_H
#define QUARN_FACTORY_DATUMRULES_H

#include <quarn/model/Records.h>

namespace quarn::detail {

// When the seven numbers of `shift` add up (in absolute value) to less than 1e-6 and the
// upper-cased `name` satisfies one of the rules, the first such rule writes its values into
// `shift`. A given shift, an empty name or a name no rule knows leaves `shift` unchanged.
// Returns whether a rule was applied.
bool ApplyDatumNameRules(const wchar_t* name, CS_WGS84ConversionInfo& shift);

} // namespace quarn::detail

#endif
