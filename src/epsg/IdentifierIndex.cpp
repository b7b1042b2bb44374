// Building the identifier's index: from proj.db through SQLite (the tables of PROJ's layout
// 1.x), or through PROJ's API for a layout this reader does not know; and its cache file.
#include "epsg/IdentifierIndex.h"

#include <quarn/factory/Factory.h>
#include <quarn/interchange.h>
#include <quarn/model/Constants.h>

#include <proj.h>
#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>

namespace quarn::detail {
namespace {

constexpr double kDegree = quarn::kPi / 180.0;
constexpr int kSexagesimalDms = 9110;
constexpr int kSexagesimalDm = 9111;
constexpr int kGreenwich = 8901;

// ---- Buckets ----------------------------------------------------------------------------

std::uint64_t Mix(std::uint64_t hash, std::int64_t value) {
    hash ^= static_cast<std::uint64_t>(value) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    return hash;
}

// A value in steps of `step`, with the neighbouring step when it lies near the edge.
struct Quantum {
    std::int64_t value, other;
};
Quantum Quantise(double value, double step) {
    const double scaled = value / step;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e15) return {0, 0};
    const double rounded = std::floor(scaled + 0.5);
    const double edge = scaled - rounded; // -0.5 .. 0.5
    std::int64_t near = static_cast<std::int64_t>(rounded);
    std::int64_t other = near;
    if (edge > 0.45) other = near + 1;
    if (edge < -0.45) other = near - 1;
    return {near, other};
}

// ---- SQLite -----------------------------------------------------------------------------

struct Statement {
    sqlite3_stmt* statement = nullptr;
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) statement = nullptr;
    }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool Step() { return statement != nullptr && sqlite3_step(statement) == SQLITE_ROW; }
    int Int(int column) { return sqlite3_column_int(statement, column); }
    double Real(int column) { return sqlite3_column_double(statement, column); }
    bool Null(int column) { return sqlite3_column_type(statement, column) == SQLITE_NULL; }
    std::string Text(int column) {
        const unsigned char* text = sqlite3_column_text(statement, column);
        return text != nullptr ? reinterpret_cast<const char*>(text) : "";
    }
};

struct Unit {
    double factor = 0.0; // metres or radians per unit; 0 for sexagesimal DMS
    bool angle = false;
};

// ddd.mmsss... as degrees.
double FromSexagesimal(double value) {
    const double magnitude = std::fabs(value);
    const double degrees = std::floor(magnitude);
    const double rest = (magnitude - degrees) * 100.0;
    const double minutes = std::floor(rest + 1e-8);
    const double seconds = (rest - minutes) * 100.0;
    const double result = degrees + minutes / 60.0 + seconds / 3600.0;
    return value < 0 ? -result : result;
}

// ddd.mm... as degrees.
double FromSexagesimalMinutes(double value) {
    const double magnitude = std::fabs(value);
    const double degrees = std::floor(magnitude);
    const double result = degrees + (magnitude - degrees) * 100.0 / 60.0;
    return value < 0 ? -result : result;
}

std::int8_t Orientation(const std::string& text) {
    auto starts = [&text](const char* word) {
        return text.size() >= std::strlen(word) &&
               strncasecmp(text.c_str(), word, std::strlen(word)) == 0;
    };
    if (starts("north")) return CS_AO_North;
    if (starts("south")) return CS_AO_South;
    if (starts("east")) return CS_AO_East;
    if (starts("west")) return CS_AO_West;
    if (starts("up")) return CS_AO_Up;
    if (starts("down")) return CS_AO_Down;
    return 7;
}

struct Axes {
    std::int8_t orientation[3] = {};
    int unit[3] = {};
    int count = 0;
};

class SqliteBuilder {
public:
    SqliteBuilder(sqlite3* db, IdentifierIndex& index) : m_db(db), m_index(index) {}

    bool Build(std::string& failure) {
        if (!CheckLayout(failure)) return false;
        ReadUnits();
        ReadEllipsoidsAndMeridians();
        ReadDatums();
        ReadAxes();
        ReadGeodetic();
        ReadProjected();
        ReadVertical();
        ReadCompound();
        ReadAliases();
        if (m_index.records.empty()) {
            failure = "the database holds no EPSG coordinate systems";
            return false;
        }
        return true;
    }

private:
    bool CheckLayout(std::string& failure) {
        Statement s(m_db, "SELECT value FROM metadata WHERE key = 'DATABASE.LAYOUT.VERSION.MAJOR'");
        if (!s.Step()) {
            failure = "the database has no layout version";
            return false;
        }
        if (s.Text(0) != "1") {
            failure = "the database's layout version " + s.Text(0) + " is not known";
            return false;
        }
        return true;
    }

    void ReadUnits() {
        Statement s(m_db, "SELECT code, type, conv_factor FROM unit_of_measure "
                          "WHERE auth_name = 'EPSG'");
        // Angles written as degrees, minutes and seconds have no factor; as axis units they
        // are degrees.
        while (s.Step()) {
            const bool angle = s.Text(1) == "angle";
            m_units[s.Int(0)] = {s.Null(2) ? (angle ? kDegree : 0.0) : s.Real(2), angle};
        }
    }

    // A value in `unit` as degrees (angles), metres (lengths) or as it is (scales); false for
    // a unit that is not known.
    bool Convert(double value, int unit, double& out) const {
        if (unit == kSexagesimalDms) {
            out = FromSexagesimal(value);
            return true;
        }
        if (unit == kSexagesimalDm) {
            out = FromSexagesimalMinutes(value);
            return true;
        }
        auto found = m_units.find(unit);
        if (found == m_units.end() || found->second.factor == 0.0) return false;
        out = value * found->second.factor;
        if (found->second.angle) out /= kDegree;
        return true;
    }
    double Factor(int unit) const {
        if (unit == kSexagesimalDms) return kDegree;
        auto found = m_units.find(unit);
        return found != m_units.end() ? found->second.factor : 0.0;
    }

    void ReadEllipsoidsAndMeridians() {
        Statement e(m_db, "SELECT code, semi_major_axis, uom_code, inv_flattening, "
                          "semi_minor_axis FROM ellipsoid WHERE auth_name = 'EPSG'");
        while (e.Step()) {
            const double unit = Factor(e.Int(2));
            const double a = e.Real(1) * unit;
            double inverse = e.Null(3) ? 0.0 : e.Real(3);
            if (e.Null(3) && !e.Null(4)) {
                const double b = e.Real(4) * unit;
                inverse = a == b ? 0.0 : a / (a - b);
            }
            m_ellipsoids[e.Int(0)] = {a, inverse};
        }
        Statement p(m_db, "SELECT code, longitude, uom_code FROM prime_meridian "
                          "WHERE auth_name = 'EPSG'");
        while (p.Step()) {
            double degrees = 0.0;
            if (Convert(p.Real(1), p.Int(2), degrees)) m_meridians[p.Int(0)] = degrees;
        }
    }

    void ReadDatums() {
        Statement d(m_db, "SELECT code, name, ellipsoid_code, prime_meridian_code "
                          "FROM geodetic_datum WHERE auth_name = 'EPSG' AND "
                          "ellipsoid_auth_name = 'EPSG' AND prime_meridian_auth_name = 'EPSG'");
        while (d.Step()) {
            m_datums[d.Int(0)] = {d.Int(2), d.Int(3)};
            AddDatumName(m_index.datumsByName, d.Text(1), d.Int(0));
            if (d.Int(3) != kGreenwich && d.Text(1).back() == ')')
                m_offGreenwich.emplace_back(d.Int(0), d.Text(1));
        }
        Statement v(m_db, "SELECT code, name FROM vertical_datum WHERE auth_name = 'EPSG'");
        while (v.Step())
            AddDatumName(m_index.verticalDatumsByName, v.Text(1), v.Int(0));
    }

    static void AddDatumName(std::unordered_map<std::string, std::vector<int>>& names,
                             const std::string& name, int code) {
        auto add = [&](const std::string& key) {
            if (key.empty()) return;
            std::vector<int>& codes = names[key];
            if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
        };
        add(DatumNameKey(name));
        // WKT 1 names an ensemble without the word ("WGS_1984", "ETRS89").
        const std::string suffix = " ensemble";
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            add(DatumNameKey(name.substr(0, name.size() - suffix.size())));
    }

    void ReadAxes() {
        Statement s(m_db, "SELECT coordinate_system_code, coordinate_system_order, orientation, "
                          "uom_code FROM axis WHERE coordinate_system_auth_name = 'EPSG'");
        while (s.Step()) {
            const int order = s.Int(1);
            if (order < 1 || order > 3) continue;
            Axes& axes = m_axes[s.Int(0)];
            axes.orientation[order - 1] = Orientation(s.Text(2));
            axes.unit[order - 1] = s.Null(3) ? 0 : s.Int(3);
            axes.count = std::max(axes.count, order);
        }
    }

    bool Geodetic(int datumCode, Meaning& m) const {
        auto datum = m_datums.find(datumCode);
        if (datum == m_datums.end()) return false;
        auto ellipsoid = m_ellipsoids.find(datum->second.first);
        auto meridian = m_meridians.find(datum->second.second);
        if (ellipsoid == m_ellipsoids.end() || meridian == m_meridians.end()) return false;
        m.datumCode = datumCode;
        m.semiMajorAxis = ellipsoid->second.first;
        m.inverseFlattening = ellipsoid->second.second;
        m.primeMeridian = m.primeMeridianWritten = meridian->second;
        return true;
    }

    std::uint32_t Add(IndexRecord&& record) {
        const auto at = static_cast<std::uint32_t>(m_index.records.size());
        AddName(record.name, at);
        m_index.records.push_back(std::move(record));
        return at;
    }

    void AddName(const std::string& name, std::uint32_t at) {
        const std::string key = NameKey(name);
        if (key.empty()) return;
        std::vector<std::uint32_t>& list = m_index.systemsByName[key];
        if (std::find(list.begin(), list.end(), at) == list.end()) list.push_back(at);
    }

    void ReadGeodetic() {
        Statement s(m_db, "SELECT code, name, type, coordinate_system_code, datum_code, "
                          "deprecated FROM geodetic_crs WHERE auth_name = 'EPSG' AND "
                          "datum_auth_name = 'EPSG' AND coordinate_system_auth_name = 'EPSG'");
        while (s.Step()) {
            IndexRecord r;
            const std::string type = s.Text(2);
            r.meaning.kind = type == "geographic 2D"   ? MeaningKind::Geographic
                             : type == "geographic 3D" ? MeaningKind::Geographic3D
                             : type == "geocentric"    ? MeaningKind::Geocentric
                                                       : MeaningKind::None;
            auto axes = m_axes.find(s.Int(3));
            if (r.meaning.kind == MeaningKind::None || axes == m_axes.end() ||
                !Geodetic(s.Int(4), r.meaning))
                continue;
            const Axes& a = axes->second;
            if (r.meaning.kind == MeaningKind::Geocentric) {
                r.meaning.linearUnit = Factor(a.unit[0]);
            } else {
                r.meaning.angularUnit = Factor(a.unit[0]);
                r.meaning.axes[0] = a.orientation[0];
                r.meaning.axes[1] = a.orientation[1];
                if (r.meaning.kind == MeaningKind::Geographic3D)
                    r.meaning.linearUnit = Factor(a.unit[2]);
            }
            r.code = s.Int(0);
            r.name = s.Text(1);
            r.deprecated = s.Int(5) != 0;
            m_geodetic[r.code] = Add(std::move(r));
        }
    }

    void ReadProjected() {
        std::string sql = "SELECT p.code, p.name, p.coordinate_system_code, p.geodetic_crs_code, "
                          "p.deprecated, c.method_code";
        for (int i = 1; i <= 7; ++i) {
            const std::string n = std::to_string(i);
            sql += ", c.param" + n + "_code, c.param" + n + "_value, c.param" + n + "_uom_code";
        }
        sql += " FROM projected_crs p JOIN conversion_table c ON "
               "c.auth_name = p.conversion_auth_name AND c.code = p.conversion_code "
               "WHERE p.auth_name = 'EPSG' AND p.geodetic_crs_auth_name = 'EPSG' AND "
               "p.coordinate_system_auth_name = 'EPSG' AND c.method_auth_name = 'EPSG'";
        Statement s(m_db, sql.c_str());
        while (s.Step()) {
            auto base = m_geodetic.find(s.Int(3));
            auto axes = m_axes.find(s.Int(2));
            if (base == m_geodetic.end() || axes == m_axes.end()) continue;
            IndexRecord r;
            r.meaning = m_index.records[base->second].meaning;
            if (r.meaning.kind != MeaningKind::Geographic) continue;
            r.meaning.kind = MeaningKind::Projected;
            r.meaning.axes[0] = axes->second.orientation[0];
            r.meaning.axes[1] = axes->second.orientation[1];
            r.meaning.linearUnit = Factor(axes->second.unit[0]);
            int codes[7];
            double values[7];
            std::string names[7];
            const char* namePointers[7];
            int count = 0;
            bool known = true;
            for (int i = 0; i < 7; ++i) {
                const int column = 6 + 3 * i;
                if (s.Null(column)) continue;
                codes[count] = s.Int(column);
                if (!Convert(s.Real(column + 1), s.Int(column + 2), values[count])) known = false;
                names[count] = "epsg" + std::to_string(codes[count]);
                namePointers[count] = names[count].c_str();
                ++count;
            }
            if (!known ||
                !SetEpsgProjection(r.meaning, s.Int(5), codes, values, namePointers, count))
                continue;
            r.code = s.Int(0);
            r.name = s.Text(1);
            r.deprecated = s.Int(4) != 0;
            Add(std::move(r));
        }
    }

    void ReadVertical() {
        Statement s(m_db, "SELECT code, name, coordinate_system_code, datum_code, deprecated "
                          "FROM vertical_crs WHERE auth_name = 'EPSG' AND "
                          "datum_auth_name = 'EPSG' AND coordinate_system_auth_name = 'EPSG'");
        while (s.Step()) {
            auto axes = m_axes.find(s.Int(2));
            if (axes == m_axes.end()) continue;
            IndexRecord r;
            r.meaning.kind = MeaningKind::Vertical;
            r.meaning.verticalDatumCode = s.Int(3);
            r.meaning.linearUnit = Factor(axes->second.unit[0]);
            r.meaning.axes[0] = axes->second.orientation[0] == CS_AO_Down ? CS_AO_Down : CS_AO_Up;
            r.code = s.Int(0);
            r.name = s.Text(1);
            r.deprecated = s.Int(4) != 0;
            Add(std::move(r));
        }
    }

    void ReadCompound() {
        Statement s(m_db, "SELECT code, name, horiz_crs_code, vertical_crs_code, deprecated "
                          "FROM compound_crs WHERE auth_name = 'EPSG' AND "
                          "horiz_crs_auth_name = 'EPSG' AND vertical_crs_auth_name = 'EPSG'");
        while (s.Step()) {
            IndexRecord r;
            r.meaning.kind = MeaningKind::Compound;
            r.code = s.Int(0);
            r.name = s.Text(1);
            r.headCode = s.Int(2);
            r.tailCode = s.Int(3);
            r.deprecated = s.Int(4) != 0;
            Add(std::move(r));
        }
    }

    void ReadAliases() {
        std::unordered_map<int, std::uint32_t> byCode;
        for (std::uint32_t i = 0; i < m_index.records.size(); ++i)
            byCode[m_index.records[i].code] = i;
        Statement s(m_db, "SELECT table_name, code, alt_name FROM alias_name "
                          "WHERE auth_name = 'EPSG'");
        while (s.Step()) {
            const std::string table = s.Text(0);
            if (table == "geodetic_datum") {
                AddDatumName(m_index.datumsByName, s.Text(2), s.Int(1));
            } else if (table == "vertical_datum") {
                AddDatumName(m_index.verticalDatumsByName, s.Text(2), s.Int(1));
            } else if (table == "geodetic_crs" || table == "projected_crs" ||
                       table == "vertical_crs" || table == "compound_crs") {
                auto found = byCode.find(s.Int(1));
                if (found != byCode.end()) AddName(s.Text(2), found->second);
            }
        }
        ShareNamesAcrossMeridians();
    }

    // ESRI names a datum on another prime meridian as it names the datum on Greenwich
    // ("D_NTF" for both NTF and NTF (Paris)); the meridian tells them apart. A datum named
    // "X (Meridian)" is known by every name of datum X.
    void ShareNamesAcrossMeridians() {
        for (const auto& [code, name] : m_offGreenwich) {
            const std::string base = DatumNameKey(name.substr(0, name.rfind(" (")));
            auto found = m_index.datumsByName.find(base);
            if (found == m_index.datumsByName.end()) continue;
            const std::vector<int> bases = found->second;
            for (auto& [key, codes] : m_index.datumsByName) {
                const bool named = std::any_of(bases.begin(), bases.end(), [&](int b) {
                    return std::find(codes.begin(), codes.end(), b) != codes.end();
                });
                if (named && std::find(codes.begin(), codes.end(), code) == codes.end())
                    codes.push_back(code);
            }
        }
    }

    sqlite3* m_db;
    IdentifierIndex& m_index;
    std::unordered_map<int, Unit> m_units;
    std::unordered_map<int, std::pair<double, double>> m_ellipsoids;
    std::unordered_map<int, double> m_meridians;
    std::unordered_map<int, std::pair<int, int>> m_datums;
    std::unordered_map<int, Axes> m_axes;
    std::unordered_map<int, std::uint32_t> m_geodetic;
    std::vector<std::pair<int, std::string>> m_offGreenwich;
};

// ---- Cache file -------------------------------------------------------------------------

const char kCacheMagic[8] = {'Q', 'I', 'D', 'X', '0', '0', '0', '1'};

std::uint64_t Checksum(const std::string& bytes) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

class Writer {
public:
    std::string bytes;
    template <typename T> void Put(const T& value) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Put(const std::string& text) {
        Put(static_cast<std::uint32_t>(text.size()));
        bytes += text;
    }
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
    bool ok = true;
    template <typename T> void Get(T& value) {
        if (!ok || m_bytes.size() - m_at < sizeof value) {
            ok = false;
            return;
        }
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
    }
    void Get(std::string& text) {
        std::uint32_t size = 0;
        Get(size);
        if (!ok || m_bytes.size() - m_at < size) {
            ok = false;
            return;
        }
        text.assign(m_bytes, m_at, size);
        m_at += size;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

void PutMeaning(Writer& w, const Meaning& m) {
    w.Put(static_cast<std::uint8_t>(m.kind));
    w.Put(m.datumCode);
    w.Put(m.semiMajorAxis);
    w.Put(m.inverseFlattening);
    w.Put(m.primeMeridian);
    w.Put(m.angularUnit);
    w.Put(m.method);
    for (double p : m.parameters)
        w.Put(p);
    w.Put(static_cast<std::uint32_t>(m.otherParameters.size()));
    for (const auto& other : m.otherParameters) {
        w.Put(other.first);
        w.Put(other.second);
    }
    w.Put(m.linearUnit);
    w.Put(m.verticalDatumCode);
    for (std::int8_t axis : m.axes)
        w.Put(axis);
}

bool GetMeaning(Reader& r, Meaning& m) {
    std::uint8_t kind = 0;
    r.Get(kind);
    if (kind > static_cast<std::uint8_t>(MeaningKind::Compound)) return false;
    m.kind = static_cast<MeaningKind>(kind);
    r.Get(m.datumCode);
    r.Get(m.semiMajorAxis);
    r.Get(m.inverseFlattening);
    r.Get(m.primeMeridian);
    m.primeMeridianWritten = m.primeMeridian;
    r.Get(m.angularUnit);
    r.Get(m.method);
    for (double& p : m.parameters)
        r.Get(p);
    std::uint32_t others = 0;
    r.Get(others);
    if (!r.ok || others > 16) return false;
    m.otherParameters.resize(others);
    for (auto& other : m.otherParameters) {
        r.Get(other.first);
        r.Get(other.second);
    }
    r.Get(m.linearUnit);
    r.Get(m.verticalDatumCode);
    for (std::int8_t& axis : m.axes)
        r.Get(axis);
    return r.ok;
}

template <typename Value>
void PutMap(Writer& w, const std::unordered_map<std::string, std::vector<Value>>& map) {
    w.Put(static_cast<std::uint32_t>(map.size()));
    for (const auto& [key, values] : map) {
        w.Put(key);
        w.Put(static_cast<std::uint32_t>(values.size()));
        for (Value v : values)
            w.Put(v);
    }
}

template <typename Value>
bool GetMap(Reader& r, std::unordered_map<std::string, std::vector<Value>>& map, Value limit) {
    std::uint32_t size = 0;
    r.Get(size);
    for (std::uint32_t i = 0; r.ok && i < size; ++i) {
        std::string key;
        std::uint32_t count = 0;
        r.Get(key);
        r.Get(count);
        if (!r.ok || count > 100000) return false;
        std::vector<Value>& values = map[key];
        values.resize(count);
        for (Value& v : values) {
            r.Get(v);
            if (v >= limit) return false;
        }
    }
    return r.ok;
}

} // namespace

// ---- IdentifierIndex ----------------------------------------------------------------------

void IdentifierIndex::BucketsOf(const Meaning& m, std::vector<std::uint64_t>& keys) const {
    keys.clear();
    const auto kind = static_cast<std::int64_t>(m.kind);
    if (m.kind == MeaningKind::Vertical || m.kind == MeaningKind::Compound) {
        keys.push_back(Mix(0, kind));
        return;
    }
    const Quantum a = Quantise(m.semiMajorAxis, 1.0);
    if (m.kind != MeaningKind::Projected) {
        for (std::int64_t av : {a.value, a.other}) {
            const std::uint64_t key = Mix(Mix(0, kind), av);
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
        }
        return;
    }
    const Quantum lon = Quantise(m.parameters[kRoleLongitudeOfOrigin], 1e-3);
    const Quantum fe = Quantise(m.parameters[kRoleFalseEasting], 1.0);
    for (std::int64_t av : {a.value, a.other})
        for (std::int64_t lv : {lon.value, lon.other})
            for (std::int64_t fv : {fe.value, fe.other}) {
                const std::uint64_t key = Mix(Mix(Mix(Mix(Mix(0, kind), m.method), av), lv), fv);
                if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
            }
}

void IdentifierIndex::Finish() {
    buckets.clear();
    compounds.clear();
    byCode.clear();
    std::vector<std::uint64_t> keys;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        const IndexRecord& r = records[i];
        byCode[r.code] = i;
        if (r.meaning.kind == MeaningKind::Compound) {
            compounds[static_cast<std::uint64_t>(r.headCode) << 32 |
                      static_cast<std::uint32_t>(r.tailCode)]
                .push_back(i);
            continue;
        }
        BucketsOf(r.meaning, keys);
        buckets[keys.front()].push_back(i);
    }
}

std::string DatabaseIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    std::string identity = path + "|" + std::to_string(static_cast<long long>(info.st_size)) + "|" +
                           std::to_string(static_cast<long long>(info.st_mtime));
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        Statement s(db, "SELECT key, value FROM metadata WHERE key IN ('EPSG.VERSION', "
                        "'PROJ.VERSION', 'DATABASE.LAYOUT.VERSION.MAJOR', "
                        "'DATABASE.LAYOUT.VERSION.MINOR') ORDER BY key");
        while (s.Step())
            identity += "|" + s.Text(0) + "=" + s.Text(1);
    }
    sqlite3_close(db);
    return identity;
}

bool BuildFromSqlite(const std::string& path, IdentifierIndex& index, std::string& failure) {
    sqlite3* db = nullptr;
    const std::string uri = "file:" + path + "?immutable=1";
    if (sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) !=
        SQLITE_OK) {
        failure = "cannot open the database " + path;
        sqlite3_close(db);
        return false;
    }
    index = IdentifierIndex();
    bool built = SqliteBuilder(db, index).Build(failure);
    sqlite3_close(db);
    if (built) index.Finish();
    return built;
}

bool BuildFromProj(pj_ctx* context, IdentifierIndex& index, std::string& failure) {
    index = IdentifierIndex();
    CQuarnCoordinateSystemFactory factory;
    const PJ_TYPE types[] = {PJ_TYPE_GEOGRAPHIC_2D_CRS, PJ_TYPE_GEOGRAPHIC_3D_CRS,
                             PJ_TYPE_GEOCENTRIC_CRS,    PJ_TYPE_PROJECTED_CRS,
                             PJ_TYPE_VERTICAL_CRS,      PJ_TYPE_COMPOUND_CRS};
    const char* const options[] = {"MULTILINE=NO", nullptr};
    for (PJ_TYPE type : types) {
        PROJ_STRING_LIST codes = proj_get_codes_from_database(context, "EPSG", type, 1);
        for (PROJ_STRING_LIST code = codes; code != nullptr && *code != nullptr; ++code) {
            PJ* crs =
                proj_create_from_database(context, "EPSG", *code, PJ_CATEGORY_CRS, 0, nullptr);
            if (crs == nullptr) continue;
            IndexRecord r;
            r.code = std::atoi(*code);
            const char* name = proj_get_name(crs);
            r.name = name != nullptr ? name : "";
            r.deprecated = proj_is_deprecated(crs) != 0;
            bool ok = true;
            if (type == PJ_TYPE_COMPOUND_CRS) {
                r.meaning.kind = MeaningKind::Compound;
                PJ* head = proj_crs_get_sub_crs(context, crs, 0);
                PJ* tail = proj_crs_get_sub_crs(context, crs, 1);
                const char* h = head != nullptr ? proj_get_id_code(head, 0) : nullptr;
                const char* t = tail != nullptr ? proj_get_id_code(tail, 0) : nullptr;
                ok = h != nullptr && t != nullptr;
                if (ok) {
                    r.headCode = std::atoi(h);
                    r.tailCode = std::atoi(t);
                }
                proj_destroy(head);
                proj_destroy(tail);
            } else {
                const char* wkt = proj_as_wkt(context, crs, PJ_WKT1_GDAL, options);
                const CS_CoordinateSystem* system =
                    wkt != nullptr ? FromWkt(factory, wkt, WktDialect::Gdal) : nullptr;
                ok = system != nullptr && Describe(*system, r.meaning);
                if (ok && type == PJ_TYPE_GEOGRAPHIC_3D_CRS)
                    r.meaning.kind = MeaningKind::Geographic3D;
                PJ* datum = proj_crs_get_datum_forced(context, crs);
                const char* datumCode = datum != nullptr ? proj_get_id_code(datum, 0) : nullptr;
                if (ok && datumCode != nullptr) {
                    if (type == PJ_TYPE_VERTICAL_CRS)
                        r.meaning.verticalDatumCode = std::atoi(datumCode);
                    else
                        r.meaning.datumCode = std::atoi(datumCode);
                    const char* datumName = proj_get_name(datum);
                    auto& names = type == PJ_TYPE_VERTICAL_CRS ? index.verticalDatumsByName
                                                               : index.datumsByName;
                    if (datumName != nullptr) {
                        std::vector<int>& list = names[DatumNameKey(datumName)];
                        if (std::find(list.begin(), list.end(), std::atoi(datumCode)) == list.end())
                            list.push_back(std::atoi(datumCode));
                    }
                }
                proj_destroy(datum);
            }
            proj_destroy(crs);
            if (!ok) continue;
            const auto at = static_cast<std::uint32_t>(index.records.size());
            index.systemsByName[NameKey(r.name)].push_back(at);
            index.records.push_back(std::move(r));
        }
        proj_string_list_destroy(codes);
    }
    if (index.records.empty()) {
        failure = "PROJ lists no EPSG coordinate systems";
        return false;
    }
    index.Finish();
    return true;
}

bool ReadCache(const std::string& file, const std::string& identity, IdentifierIndex& index) {
    if (file.empty()) return false;
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return false;
    std::string bytes;
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0)
        bytes.append(block, got);
    std::fclose(in);
    if (bytes.size() < sizeof kCacheMagic + 8 ||
        std::memcmp(bytes.data(), kCacheMagic, sizeof kCacheMagic) != 0)
        return false;
    std::uint64_t stored = 0;
    std::memcpy(&stored, bytes.data() + sizeof kCacheMagic, 8);
    const std::string payload = bytes.substr(sizeof kCacheMagic + 8);
    if (Checksum(payload) != stored) return false;
    Reader r(payload);
    std::string storedIdentity;
    r.Get(storedIdentity);
    if (!r.ok || storedIdentity != identity) return false;
    IdentifierIndex read;
    std::uint32_t count = 0;
    r.Get(count);
    if (!r.ok || count > 1000000) return false;
    read.records.resize(count);
    for (IndexRecord& record : read.records) {
        if (!GetMeaning(r, record.meaning)) return false;
        std::uint8_t deprecated = 0;
        r.Get(record.code);
        r.Get(record.headCode);
        r.Get(record.tailCode);
        r.Get(record.name);
        r.Get(deprecated);
        record.deprecated = deprecated != 0;
    }
    if (!GetMap(r, read.systemsByName, count) ||
        !GetMap(r, read.datumsByName, std::numeric_limits<int>::max()) ||
        !GetMap(r, read.verticalDatumsByName, std::numeric_limits<int>::max()) || !r.AtEnd())
        return false;
    read.Finish();
    index = std::move(read);
    return true;
}

bool WriteCache(const std::string& file, const std::string& identity,
                const IdentifierIndex& index) {
    if (file.empty()) return false;
    Writer w;
    w.Put(identity);
    w.Put(static_cast<std::uint32_t>(index.records.size()));
    for (const IndexRecord& record : index.records) {
        PutMeaning(w, record.meaning);
        w.Put(record.code);
        w.Put(record.headCode);
        w.Put(record.tailCode);
        w.Put(record.name);
        w.Put(static_cast<std::uint8_t>(record.deprecated ? 1 : 0));
    }
    PutMap(w, index.systemsByName);
    PutMap(w, index.datumsByName);
    PutMap(w, index.verticalDatumsByName);
    const std::uint64_t sum = Checksum(w.bytes);
    // Written beside the file and renamed over it, so that a reader never sees half a file.
    const std::string folder = file.substr(0, file.rfind('/'));
    const std::string parent = folder.substr(0, folder.rfind('/'));
    ::mkdir(parent.c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    const std::string partial = file + ".part" + std::to_string(static_cast<long>(::getpid()));
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr) return false;
    bool written = std::fwrite(kCacheMagic, 1, sizeof kCacheMagic, out) == sizeof kCacheMagic &&
                   std::fwrite(&sum, 1, 8, out) == 8 &&
                   std::fwrite(w.bytes.data(), 1, w.bytes.size(), out) == w.bytes.size();
    written = std::fclose(out) == 0 && written;
    if (!written || std::rename(partial.c_str(), file.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

std::string CacheFile(const std::string& identity) {
    std::string folder;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        folder = cache;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        folder = std::string(home) + "/.cache";
    if (folder.empty() || identity.empty()) return {};
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(Checksum(identity)));
    return folder + "/quarn/identify-" + hash + ".bin";
}

} // namespace quarn::detail
