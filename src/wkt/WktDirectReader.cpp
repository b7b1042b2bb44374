// The direct reader: the grammar's rules written out as functions, for the texts most hosts
// read. The engine runs it first and replays its log (wkt/WktEngine.cpp).
#include <quarn/wkt/WktParser.h>

#include "wkt/WktEngine.h"
#include "wkt/WktReader.h"

#include <typeinfo>

namespace quarn::detail {
namespace {

// The direct reader: the grammar's rules written out as functions, for the texts that most
// hosts read (geographic, projected, geocentric, vertical and compound systems with their
// optional AXIS, AUTHORITY and TOWGS84 elements). It reads tokens through the parser into
// the engine's queue and logs shifts and reductions as a successful trial parse would, in
// the order an LR parse makes them: a rule's reduction after its symbols, each before the
// token that follows it is shifted. The grammar is unambiguous, so a text it reads to the
// end has exactly this parse, and the engine replays the log as it replays a trial. Only
// the reductions whose action hands on the value of their one symbol are left out of the
// log: replayed, they would leave the stack as it was.
//
// Where the grammar needs a second token of lookahead (a ',' after a projection may begin
// a PARAMETER or end the projection), the reader looks at the token after the ','; the
// engine's trial reads that token too. On any token it does not take (an error, or one of
// the rarer elements: LOCAL_CS, FITTED_CS, PARAM_MT, grid files) it stops, having read no
// further than the engine reads before it reports that token, and the engine parses the
// text from its queued tokens with no action run yet. It stops the same way, before any
// error, on a text of thousands of tokens.
class DirectReader {
public:
    DirectReader(Engine& engine, CQuarnWKTCoordinateSystemParser& parser)
        : m_engine(engine), m_log(engine.log), m_parser(parser), m_rules(Rules().numbers.data()),
          m_silent(Rules().silentByName.data()),
          m_ownLexer(typeid(parser) == typeid(CQuarnWKTCoordinateSystemParser)) {}

    // True when the text is one coordinate system and nothing after it.
    bool Read() {
        m_token = Next();
        return CoordinateSystem() && m_token == 0;
    }

private:
    int Next() {
        // A derived parser may lex in its own way: it is asked through NextToken.
        int token = kNoToken;
        if (m_ownLexer) {
            token = WktParserAccess::Next(m_parser, m_engine.last, m_engine.queue);
            ++m_engine.read;
        } else {
            token = m_parser.NextToken();
        }
        // A very long text goes to the tables from here on: the log and the queue of a
        // whole long text outgrow the caches, and a text that fails at its end would be
        // read twice over.
        if (++m_read > kLongestText) return kWktError;
        return token < 0 ? 0 : token;
    }
    // The token after the current one, read once.
    int Peek() {
        if (m_peeked == kNoToken) m_peeked = Next();
        return m_peeked;
    }
    void Shift() {
        // A run of shifts takes one entry of the log: the replay pushes their tokens in one go.
        if (!m_log.empty() && m_log.back() < 0)
            --m_log.back();
        else
            m_log.push_back(kShifted);
        if (m_peeked != kNoToken) {
            m_token = m_peeked;
            m_peeked = kNoToken;
        } else {
            m_token = Next();
        }
    }
    bool Take(int token) {
        if (m_token != token) return false;
        Shift();
        return true;
    }
    bool Opening(int keyword) { return Take(keyword) && Take('['); }
    bool Reduce(WktRule rule) {
        if (!m_silent[rule]) m_log.push_back(m_rules[rule]);
        return true;
    }
    // Reduces by `rule` and closes the element.
    bool Close(WktRule rule) { return Take(']') && Reduce(rule); }

    bool Name() { return Take(kWktString) && Reduce(kRuleName); }
    bool Number(WktRule rule) {
        if (m_token == kWktInteger) {
            Shift();
            Reduce(kRuleNumberInteger);
        } else if (m_token == kWktReal) {
            Shift();
            Reduce(kRuleNumberReal);
        } else {
            return false;
        }
        return Reduce(rule);
    }
    bool Authority() {
        return Opening(kWktAuthority) && Name() && Take(',') && Take(kWktString) &&
               Reduce(kRuleCode) && Close(kRuleAuthority);
    }
    // The end of an element whose last item may be followed by an AUTHORITY: `plain` when
    // it closes at once, `withAuthority` when an AUTHORITY comes first.
    bool End(WktRule plain, WktRule withAuthority) {
        if (m_token == ']') return Close(plain);
        return Take(',') && Authority() && Close(withAuthority);
    }
    bool Axis() {
        if (!(Opening(kWktAxis) && Name() && Take(','))) return false;
        static const WktRule kDirections[] = {kRuleNorth, kRuleSouth, kRuleEast, kRuleWest,
                                              kRuleUp,    kRuleDown,  kRuleOther};
        static const int kTokens[] = {kWktNorth, kWktSouth, kWktEast, kWktWest,
                                      kWktUp,    kWktDown,  kWktOther};
        for (int i = 0; i < 7; ++i) {
            if (m_token == kTokens[i]) {
                Shift();
                return Reduce(kDirections[i]) && Close(kRuleAxis);
            }
        }
        return false;
    }
    // `count` axes, each after a ',' (the first ',' is taken already).
    bool Axes(int count) {
        for (int i = 0; i < count; ++i) {
            if ((i > 0 && !Take(',')) || !Axis()) return false;
        }
        return true;
    }
    // What may follow the last item of a system: nothing, `axes` axes, an AUTHORITY, or
    // both, each choosing its rule.
    bool SystemEnd(int axes, WktRule plain, WktRule withAxes, WktRule withAxesAuthority,
                   WktRule withAuthority) {
        if (m_token == ']') return Close(plain);
        if (!Take(',')) return false;
        if (m_token == kWktAuthority) return Authority() && Close(withAuthority);
        if (!Axes(axes)) return false;
        return End(withAxes, withAxesAuthority);
    }
    bool Unit(WktRule plain, WktRule withAuthority) {
        return Opening(kWktUnit) && Name() && Take(',') && Number(kRuleConversionFactor) &&
               End(plain, withAuthority);
    }
    bool Spheroid() {
        return Opening(kWktSpheroid) && Name() && Take(',') && Number(kRuleSemiMajorAxis) &&
               Take(',') && Number(kRuleInverseFlattening) &&
               End(kRuleSpheroid, kRuleSpheroidAuthority);
    }
    bool Shift7() {
        static const WktRule kRules[] = {kRuleDx, kRuleDy, kRuleDz, kRuleEx,
                                         kRuleEy, kRuleEz, kRulePpm};
        if (!Opening(kWktToWgs84)) return false;
        for (int i = 0; i < 7; ++i) {
            if ((i > 0 && !Take(',')) || !Number(kRules[i])) return false;
        }
        return Close(kRuleShift);
    }
    bool Datum() {
        if (!(Opening(kWktDatum) && Name() && Take(',') && Spheroid())) return false;
        if (m_token == ']') return Close(kRuleDatum);
        if (!Take(',')) return false;
        if (m_token == kWktAuthority) return Authority() && Close(kRuleDatumAuthority);
        // A shift followed by grid files is left to the engine.
        return Shift7() && End(kRuleDatumShift, kRuleDatumShiftAuthority);
    }
    bool PrimeMeridian() {
        return Opening(kWktPrimem) && Name() && Take(',') && Number(kRuleLongitude) &&
               End(kRulePrimeMeridian, kRulePrimeMeridianAuthority);
    }
    // What geographic and geocentric systems begin with: name, datum, prime meridian, unit.
    bool Geodetic(int keyword, WktRule unit, WktRule unitWithAuthority) {
        return Opening(keyword) && Name() && Take(',') && Datum() && Take(',') && PrimeMeridian() &&
               Take(',') && Unit(unit, unitWithAuthority);
    }
    bool Geographic() {
        return Geodetic(kWktGeogCs, kRuleAngularUnit, kRuleAngularUnitAuthority) &&
               SystemEnd(2, kRuleGeographic, kRuleGeographicAxes, kRuleGeographicAxesAuthority,
                         kRuleGeographicAuthority);
    }
    bool Parameter() {
        return Opening(kWktParameter) && Name() && Take(',') && Number(kRuleValue) &&
               Close(kRuleParameter);
    }
    // A ',' that begins a PARAMETER.
    bool ParameterFollows() { return m_token == ',' && Peek() == kWktParameter; }
    bool ParameterList() {
        if (!(Parameter() && Reduce(kRuleParameterListFirst))) return false;
        while (ParameterFollows()) {
            Shift();
            if (!(Parameter() && Reduce(kRuleParameterListNext))) return false;
        }
        return true;
    }
    bool Projection() {
        if (!(Opening(kWktProjection) && Name())) return false;
        bool authority = m_token == ',';
        if (authority && !(Take(',') && Authority())) return false;
        if (!Take(']')) return false;
        if (!ParameterFollows())
            return Reduce(authority ? kRuleProjectionAuthority : kRuleProjection);
        Shift();
        return ParameterList() &&
               Reduce(authority ? kRuleProjectionAuthorityParameters : kRuleProjectionParameters);
    }
    bool Horizontal() {
        if (m_token == kWktGeogCs) return Geographic() && Reduce(kRuleHorizontalGeographic);
        if (m_token == kWktProjCs) return ProjectedSystem() && Reduce(kRuleHorizontalProjected);
        return false;
    }
    bool ProjectedSystem() {
        return Opening(kWktProjCs) && Name() && Take(',') && Geographic() && Take(',') &&
               Projection() && Take(',') && Unit(kRuleLinearUnit, kRuleLinearUnitAuthority) &&
               SystemEnd(2, kRuleProjected, kRuleProjectedAxes, kRuleProjectedAxesAuthority,
                         kRuleProjectedAuthority);
    }
    bool Geocentric() {
        return Geodetic(kWktGeocCs, kRuleLinearUnit, kRuleLinearUnitAuthority) &&
               SystemEnd(3, kRuleGeocentric, kRuleGeocentricAxes, kRuleGeocentricAxesAuthority,
                         kRuleGeocentricAuthority);
    }
    bool VerticalDatum() {
        return Opening(kWktVertDatum) && Name() && Take(',') && Take(kWktInteger) &&
               Reduce(kRuleDatumType) && End(kRuleVerticalDatum, kRuleVerticalDatumAuthority);
    }
    bool Vertical() {
        return Opening(kWktVertCs) && Name() && Take(',') && VerticalDatum() && Take(',') &&
               Unit(kRuleLinearUnit, kRuleLinearUnitAuthority) &&
               SystemEnd(1, kRuleVertical, kRuleVerticalAxis, kRuleVerticalAxisAuthority,
                         kRuleVerticalAuthority);
    }
    bool Compound() {
        return Opening(kWktCompdCs) && Name() && Take(',') && Horizontal() &&
               Reduce(kRuleHeadHorizontal) && Take(',') && Vertical() &&
               Reduce(kRuleTailVertical) && End(kRuleCompound, kRuleCompoundAuthority);
    }
    bool CoordinateSystem() {
        switch (m_token) {
        case kWktGeogCs:
        case kWktProjCs:
            return Horizontal() && Reduce(kRuleTopHorizontal);
        case kWktGeocCs:
            return Geocentric() && Reduce(kRuleTopGeocentric);
        case kWktVertCs:
            return Vertical() && Reduce(kRuleTopVertical);
        case kWktCompdCs:
            return Compound() && Reduce(kRuleTopCompound);
        default:
            return false;
        }
    }

    Engine& m_engine;
    std::vector<int>& m_log;
    CQuarnWKTCoordinateSystemParser& m_parser;
    const int* m_rules;
    const unsigned char* m_silent; // the reductions the replay may leave out, by name
    const bool m_ownLexer;         // the parser is of the library's class: Lex is its own
    static constexpr std::size_t kLongestText = 4096; // tokens; a projected text has ~150

    int m_token = kNoToken;
    int m_peeked = kNoToken;
    std::size_t m_read = 0;
};

} // namespace

bool ReadWktDirectly(Engine& engine, CQuarnWKTCoordinateSystemParser& parser) {
    return DirectReader(engine, parser).Read();
}

} // namespace quarn::detail
