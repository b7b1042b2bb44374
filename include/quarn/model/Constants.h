// Constants shared across the library: the room of a class's WKT buffer and pi.
#ifndef QUARN_MODEL_CONSTANTS_H
#define QUARN_MODEL_CONSTANTS_H

namespace quarn {

// Characters in a class's WKT buffer (its static m_WKT), the terminator included: a text of
// kWktCapacity characters or more does not fit and is written as the empty text.
constexpr long kWktCapacity = 2048;

// Pi, for the conversions between degrees and radians.
constexpr double kPi = 3.141592653589793;

} // namespace quarn

#endif
