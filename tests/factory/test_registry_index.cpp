// The registries' lookups against a plain walk of the registry: a long random sequence of
// create operations and WKT readings, each answer compared with the answer the walk from
// index 0 gives, and one case for each way the lookups are kept in step.
#include "support/Parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// Equality of two objects of one registry by the class its object type names: what the
// factory's create operations compare, the left object's class deciding.
template <class T> bool EqualAs(const CS_Info* left, const CS_Info* right) {
    return (*static_cast<const T*>(left) == *static_cast<const T*>(right)) != 0;
}

template <class... Classes> bool EqualByType(long type, const CS_Info* left, const CS_Info* right) {
    using Equal = bool (*)(const CS_Info*, const CS_Info*);
    static const Equal byType[] = {EqualAs<Classes>...};
    return byType[type](left, right);
}

// By object type, in the order of the types.
bool ClassEqual(long type, const CS_Info* left, const CS_Info* right) {
    static_assert(kQuarnCompoundCS == 0 && kQuarnFittedVerticalCS == 2 && kQuarnLocalCS == 7 &&
                      kQuarnPrimeMeridian == 8 && kQuarnProjection == 10 && kQuarnAngularUnit == 15,
                  "the classes follow the order of the object types");
    return EqualByType<CQuarnCompoundCoordinateSystem, CQuarnFittedHorizontalCoordinateSystem,
                       CQuarnFittedVerticalCoordinateSystem, CQuarnProjectedCoordinateSystem,
                       CQuarnGeographicCoordinateSystem, CQuarnGeocentricCoordinateSystem,
                       CQuarnVerticalCoordinateSystem, CQuarnLocalCoordinateSystem,
                       CQuarnPrimeMeridian, CQuarnEllipsoid, CQuarnProjection,
                       CQuarnHorizontalDatum, CQuarnVerticalDatum, CQuarnLocalDatum,
                       CQuarnLinearUnit, CQuarnAngularUnit>(type, left, right);
}

// ---- The plain walk ----------------------------------------------------------------------

// First position whose object has the candidate's type and is equal to it; -1 if none.
int WalkEqual(const CQuarnInfoArray& line, const CS_Info* candidate, const CS_Info* skip,
              bool registeredOnLeft) {
    const long type = candidate->GetObjectType();
    for (int i = 0; i < line.GetSize(); ++i) {
        const CS_Info* item = line.GetAt(i);
        if (item == nullptr || item == skip || item->GetObjectType() != type) continue;
        if (registeredOnLeft ? ClassEqual(type, item, candidate)
                             : ClassEqual(type, candidate, item))
            return i;
    }
    return -1;
}

// First position whose name is `name` when the letters a to z are upper-cased; -1 if none.
int WalkFind(const CQuarnInfoArray& line, const std::wstring& name) {
    auto up = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c; };
    auto same = [&](wchar_t a, wchar_t b) { return up(a) == up(b); };
    for (int i = 0; i < line.GetSize() && !name.empty(); ++i) {
        const std::wstring other = line.GetAt(i) != nullptr ? line.GetAt(i)->GetName() : L"";
        if (std::equal(name.begin(), name.end(), other.begin(), other.end(), same)) return i;
    }
    return -1;
}

std::wstring WalkUniqueName(const CQuarnInfoArray& line, const std::wstring& name) {
    const std::wstring base = name.substr(0, name.find(L'~'));
    std::wstring candidate = name;
    for (unsigned counter = 1; WalkFind(line, candidate) >= 0; ++counter)
        candidate = base + L"~" + std::to_wstring(counter);
    return candidate.substr(0, 255);
}

int PositionOf(const CQuarnInfoArray& line, const CS_Info* item) {
    for (int i = 0; i < line.GetSize(); ++i)
        if (line.GetAt(i) == item) return i;
    return -1;
}

// ---- A factory that checks every create operation against the walk -----------------------

// Each create operation is first run on an empty scratch factory, which builds the same
// object (the registry it would compare with is empty); the walk over this factory's
// registry then says which object must come back, or which name a new one must get.
// Derived, it also shows that registrations still go through its own AddItem and
// GetUniqueName: it may keep names as given, or register objects itself.
class CheckingFactory : public CQuarnCoordinateSystemFactory {
public:
    using Base = CQuarnCoordinateSystemFactory;
    bool keepNames = false;
    bool registerItself = false;
    int checks = 0;

    int AddItem(long type, CS_Info* item) override {
        if (!registerItself) return Base::AddItem(type, item);
        if (item == nullptr) return -1;
        if (type != kQuarnProjection) item->SetName(GetUniqueName(type, item->GetName()));
        return const_cast<CQuarnInfoArray&>(GetProductLine(type)).Add(item);
    }
    const wchar_t* GetUniqueName(long type, const wchar_t* name) const override {
        return keepNames ? name : Base::GetUniqueName(type, name);
    }

    // `build` makes the object on the scratch factory, `run` on this one.
    template <class Build, class Run> const CS_Info* Check(Build build, Run run) {
        Base scratch;
        const CS_Info* candidate = build(scratch);
        const long type = candidate->GetObjectType();
        const CQuarnInfoArray& line = GetProductLine(type);
        const int expected = WalkEqual(line, candidate, nullptr, false);
        const std::wstring requested = candidate->GetName();
        const std::wstring name =
            (keepNames || type == kQuarnProjection) ? requested : WalkUniqueName(line, requested);
        const int before = line.GetSize();
        const CS_Info* result = run(*this);
        ++checks;
        EXPECT_EQ(PositionOf(line, result), expected < 0 ? before : expected)
            << "type " << type << ", check " << checks;
        // A new object takes the unique name; an equal projected system takes the requested one.
        if (expected < 0 || type == kQuarnProjectedCS) {
            EXPECT_EQ(std::wstring(result->GetName()), expected < 0 ? name : requested) << checks;
        }
        return result;
    }
};

// ---- The random sequence -----------------------------------------------------------------

class Sequence {
public:
    Sequence(CheckingFactory& factory, unsigned seed) : f(factory), random(seed) {}

    void Step() {
        // The arguments are drawn once, so that the scratch and the checked factory get the
        // same ones; each pool gives a registered object of its type, or now and then null.
        const wchar_t* n = Name();
        const double x = Number(), y = Number();
        const unsigned kind = Pick(22);
        const CS_AxisInfo a0 = Axis(), a1 = Axis(), a2 = Axis();
        auto linear = Any<CS_LinearUnit>(14);
        auto angular = Any<CS_AngularUnit>(15);
        auto datum = Any<CS_HorizontalDatum>(11);
        auto meridian = Any<CS_PrimeMeridian>(8);
        switch (kind) {
        case 0:
            return Run([=](Base& s) { return s.CreateLinearUnit(n, x); });
        case 1:
            return Run([=, name = Pick(4) == 0 ? L"Degree" : n](Base& s) {
                return s.CreateAngularUnit(name, x);
            });
        case 2:
            return Run([=](Base& s) { return s.CreateEllipsoid(n, x, y, linear); });
        case 3:
            return Run([=](Base& s) { return s.CreateFlattenedSphere(n, x, y, nullptr); });
        case 4:
            return Run([=](Base& s) { return s.CreatePrimeMeridian(n, angular, x); });
        case 5: {
            static const wchar_t* classes[] = {L"Transverse_Mercator", L"TRANSVERSE_mercator",
                                               L"Transverse_Mercator_34", L"Mercator_1SP"};
            static const wchar_t* names[] = {L"central_meridian", L"CENTRAL_MERIDIAN",
                                             L"false_easting", L"scale_factor",
                                             L"negative_easting"};
            CBASESequence<CS_ProjectionParameter, 11> parameters;
            parameters.Resize(Pick(6));
            for (long i = 0; i < parameters.GetSize(); ++i) {
                std::wcscpy(parameters[i].name, names[Pick(5)]);
                parameters[i].value = Number();
            }
            const wchar_t* c = classes[Pick(4)];
            return Run([=](Base& s) { return s.CreateProjection(n, c, parameters); });
        }
        case 6: {
            CQuarnWGS84ConversionInfo shift;
            if (Pick(2) == 0) shift.Dx = x;
            shift.Ppm = Pick(3) == 0 ? y : 0.0;
            static const wchar_t* datums[] = {L"Tokyo", L"TOKYO~2", L"OSGB 1936"};
            const wchar_t* name = Pick(3) == 0 ? datums[Pick(3)] : n;
            const long type = 1001 + Pick(2);
            auto ellipsoid = Any<CS_Ellipsoid>(9);
            return Run([=](Base& s) {
                return s.CreateHorizontalDatum(name, type, ellipsoid, shift, CQuarn3DIMInfo());
            });
        }
        case 7:
            return Run(
                [=, type = 2001 + Pick(3)](Base& s) { return s.CreateVerticalDatum(n, type); });
        case 8:
            return Run(
                [=, type = 10000 + Pick(2)](Base& s) { return s.CreateLocalDatum(n, type); });
        case 9:
            return Run([=](Base& s) {
                return s.CreateGeographicCoordinateSystem(n, angular, datum, meridian, a0, a1);
            });
        case 10: {
            auto geographic = Any<CS_GeographicCoordinateSystem>(4);
            auto projection = Any<CS_Projection>(10);
            // While projections are loaded the system takes the first registered projection
            // equal to the given one (the registered one on the left): the walk finds it here,
            // since the scratch factory has none.
            const CS_Projection* used = projection;
            if (IsPrjLoading() && projection != nullptr) {
                const CQuarnInfoArray& line = f.GetProductLine(kQuarnProjection);
                int at = WalkEqual(line, projection, projection, true);
                if (at >= 0) used = static_cast<const CS_Projection*>(line.GetAt(at));
                EXPECT_EQ(f.FindEqualProjection(projection), at < 0 ? nullptr : used);
            }
            auto build = [=](const CS_Projection* p) {
                return [=](Base& s) {
                    return s.CreateProjectedCoordinateSystem(n, geographic, p, linear, a0, a1);
                };
            };
            return Keep(f.Check(build(used), build(projection)));
        }
        case 11:
            return Run([=](Base& s) {
                return s.CreateGeocentricCoordinateSystem(n, linear, datum, meridian, a0, a1, a2);
            });
        case 12:
            return Run([=, vertical = Any<CS_VerticalDatum>(12)](Base& s) {
                return s.CreateVerticalCoordinateSystem(n, vertical, linear, a0);
            });
        case 13:
            return Run([=, head = Any<CS_CoordinateSystem>(3 + Pick(2)),
                        tail = Any<CS_CoordinateSystem>(6)](Base& s) {
                return s.CreateCompoundCoordinateSystem(n, head, tail);
            });
        case 14: {
            CBASESequence<CS_AxisInfo, 3> axes;
            axes.Resize(Pick(4));
            for (long i = 0; i < axes.GetSize(); ++i)
                axes[i] = Axis();
            return Run([=, local = Any<CS_LocalDatum>(13)](Base& s) {
                return s.CreateLocalCoordinateSystem(n, local, linear, axes);
            });
        }
        case 15:
        case 16: {
            auto base = Any<CS_CoordinateSystem>(kind == 15 ? 3 : 6);
            return Run([=](Base& s) -> const CS_Info* {
                if (kind == 15)
                    return s.CreateFittedHorizontalCoordinateSystem(n, base, x, y, x, 0.0, y, 0.0);
                return s.CreateFittedVerticalCoordinateSystem(n, base, x, 0.0, y, 0.0, 0.0);
            });
        }
        case 17:
        case 18:
            f.CreateFromWKT(Wkt().c_str());
            break;
        case 19:
            Delete();
            break;
        case 20:
            Shuffle();
            break;
        default: {
            // Find and GetUniqueName asked directly.
            const CQuarnInfoArray& line = f.GetProductLine(Pick(16));
            std::wstring name = Name();
            EXPECT_EQ(PositionOf(line, line.Find(name.c_str())), WalkFind(line, name));
            EXPECT_EQ(std::wstring(line.GetUniqueName(name.c_str())), WalkUniqueName(line, name));
            if (Pick(8) == 0) SetPrjLoading(!IsPrjLoading());
        }
        }
    }

private:
    using Base = CQuarnCoordinateSystemFactory;
    template <class Op> void Run(Op op) { Keep(f.Check(op, op)); }

    unsigned Pick(unsigned n) { return static_cast<unsigned>(random() % n); }

    const wchar_t* Name() {
        static const wchar_t* names[] = {L"A",       L"a",       L"Alpha",   L"ALPHA",  L"alpha",
                                         L"Alpha~1", L"ALPHA~1", L"Alpha~2", L"A~1",    L"a~3",
                                         L"",        L"NAD83",   L"nad83~x", L"Datum~", L"~1"};
        return names[Pick(15)];
    }

    // Values close to one another (within and beyond 1e-12), at bucket edges, around 2^14
    // where neighbouring doubles stop being within 1e-12, and NaN and infinity.
    double Number(bool finite = false) {
        static const double bases[] = {
            0.0,      1.0,   0.3048, 0.0174532925199433, 6378137.0, 298.257223563,
            500000.0, -62.0, 0.9996, 8191.999,           16384.0,   std::ldexp(12345.5, -32)};
        const double value = bases[Pick(12)];
        const unsigned how = Pick(8);
        if (how == 0) return value + (static_cast<int>(Pick(9)) - 4) * 3e-13;
        if (how == 1) return std::nextafter(value, Pick(2) == 0 ? 0.0 : 1e30);
        if (how == 2 && !finite) return std::numeric_limits<double>::quiet_NaN();
        if (how == 3 && !finite && Pick(3) == 0) return std::numeric_limits<double>::infinity();
        return value;
    }

    CS_AxisInfo Axis() { return {static_cast<std::int32_t>(Pick(3)), {}}; }

    void Keep(const CS_Info* item) {
        if (item != nullptr) pools[item->GetObjectType()].push_back(item);
    }

    template <class T> const T* Any(long type) {
        std::vector<const CS_Info*>& pool = pools[type];
        if (pool.empty() || Pick(10) == 0) return nullptr;
        return static_cast<const T*>(pool[Pick(static_cast<unsigned>(pool.size()))]);
    }

    void Delete() {
        std::vector<const CS_Info*>& pool = pools[Pick(16)];
        if (pool.empty()) return;
        const CS_Info* victim = pool[Pick(static_cast<unsigned>(pool.size()))];
        for (auto& each : pools)
            each.erase(std::remove(each.begin(), each.end(), victim), each.end());
        f.DeleteItem(victim);
    }

    // Swaps two elements of a registry, or moves one to the front, through the array's own
    // operations.
    void Shuffle() {
        CQuarnInfoArray& line = const_cast<CQuarnInfoArray&>(f.GetProductLine(Pick(16)));
        if (line.GetSize() < 2) return;
        int a = static_cast<int>(Pick(static_cast<unsigned>(line.GetSize())));
        int b = static_cast<int>(Pick(static_cast<unsigned>(line.GetSize())));
        CS_Info* first = line.GetAt(a);
        if (Pick(2) == 0) return line.RemoveAt(a), line.InsertAt(0, first);
        line.SetAt(a, line.GetAt(b));
        line[b] = first;
    }

    // A quoted name drawn from Name(), or a finite number as WKT writes it.
    std::wstring Q() { return L"[\"" + std::wstring(Name()) + L"\","; }
    std::wstring N() {
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%.17g", Number(true));
        return buffer;
    }

    std::wstring Geogcs() {
        return L"GEOGCS" + Q() + L"DATUM" + Q() + L"SPHEROID" + Q() + N() + L"," + N() +
               L"]],PRIMEM" + Q() + N() + L"],UNIT" + Q() + N() + L"]]";
    }

    std::wstring Wkt() {
        if (Pick(3) == 0) return Geogcs();
        std::wstring text = L"PROJCS" + Q() + Geogcs() + L",PROJECTION[\"" +
                            (Pick(2) == 0 ? L"Transverse_Mercator" : L"transverse_mercator_34") +
                            L"\"]";
        static const wchar_t* names[] = {L"central_meridian", L"false_easting", L"scale_factor",
                                         L"FALSE_EASTING"};
        for (unsigned i = Pick(4); i > 0; --i)
            text += L",PARAMETER[\"" + std::wstring(names[Pick(4)]) + L"\"," + N() + L"]";
        return text + L",UNIT" + Q() + N() + L"]]";
    }

    CheckingFactory& f;
    std::mt19937 random;
    std::vector<const CS_Info*> pools[16];
};

} // namespace

TEST(RegistryIndex, RandomSequenceAnswersAsTheWalkFromIndexZero) {
    const struct {
        bool keepNames;
        bool registerItself;
        unsigned seed;
    } runs[] = {{false, false, 1}, {false, false, 2}, {true, false, 3}, {false, true, 4}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.seed);
        CheckingFactory factory;
        factory.keepNames = run.keepNames;
        factory.registerItself = run.registerItself;
        Sequence sequence(factory, run.seed);
        for (int step = 0; step < 2500 && !::testing::Test::HasFailure(); ++step)
            sequence.Step();
        SetPrjLoading(false);
        EXPECT_GT(factory.checks, 1500);
    }
}

// While loading, a projected system in feet converts its registered projection's false
// origin to metres: later requests find that projection by its new values.
// Equal values on either side of a bucket edge (2^-33 off a multiple of 2^-32) or around a
// round value, registered in both orders, find one another; values 1.4e-12 apart do not. One
// number may cross its edge while the other stays.
TEST(RegistryIndex, EqualValuesAcrossABucketEdgeInBothOrders) {
    const double edge = 1.0 - std::ldexp(1.0, -33), edge2 = 298.0 - std::ldexp(1.0, -33);
    const struct {
        double a1, f1, a2, f2;
        bool same;
    } cases[] = {{edge - 4e-13, 297.5, edge + 4e-13, 297.5, true},
                 {1.0, 297.5, 1.0 - 4e-13, 297.5, true},
                 {edge - 4e-13, edge2 - 4e-13, edge + 4e-13, edge2 - 2e-13, true},
                 {edge - 7e-13, 297.5, edge + 7e-13, 297.5, false}};
    for (const auto& c : cases)
        for (bool swap : {false, true}) {
            CQuarnCoordinateSystemFactory factory;
            for (int i = 0; i < 40; ++i) // more than a registry that is walked
                factory.CreateFlattenedSphere(L"e", 2.0 + i, 300.0, nullptr);
            const CS_Ellipsoid* first = factory.CreateFlattenedSphere(L"e", swap ? c.a2 : c.a1,
                                                                      swap ? c.f2 : c.f1, nullptr);
            const CS_Ellipsoid* second = factory.CreateFlattenedSphere(L"e", swap ? c.a1 : c.a2,
                                                                       swap ? c.f1 : c.f2, nullptr);
            EXPECT_EQ(first == second, c.same) << c.a1 << " " << c.f1 << " " << swap;
        }
}

TEST(RegistryIndex, ProjectionsChangedByLoadingAreFoundByTheirNewValues) {
    CQuarnCoordinateSystemFactory factory;
    LoadingFlag loading(true);
    for (int i = 0; i < 40; ++i) // more than a registry that is walked
        factory.CreateProjection(L"", L"Mercator", Parameters({{L"false_easting", 1.0 + i}}));
    const CS_Projection* feet =
        factory.CreateProjection(L"", L"Mercator", Parameters({{L"false_easting", 1000}}));
    factory.CreateProjection(L"", L"Mercator", Parameters({{L"false_easting", 2000}}));
    const CS_LinearUnit* foot = factory.CreateLinearUnit(L"foot", 0.3048);
    CQuarnAxisInfo x, y;
    factory.CreateProjectedCoordinateSystem(L"p", nullptr, feet, foot, x, y);
    ASSERT_DOUBLE_EQ(feet->GetParameter(0L)->value, 304.8);
    EXPECT_EQ(factory.CreateProjection(L"", L"Mercator", Parameters({{L"false_easting", 304.8}})),
              feet);
}

// The same parameters in another order and case are the same projection.
TEST(RegistryIndex, ProjectionsFindTheirParametersInAnyOrder) {
    CQuarnCoordinateSystemFactory factory;
    for (int i = 0; i < 40; ++i) // more than a registry that is walked
        factory.CreateProjection(L"", L"Mercator", Parameters({{L"false_easting", 1.0 + i}}));
    const CS_Projection* first = factory.CreateProjection(
        L"", L"Mercator",
        Parameters({{L"false_easting", 1}, {L"central_meridian", 3}, {L"scale_factor", 0.5}}));
    EXPECT_EQ(
        factory.CreateProjection(
            L"", L"Mercator",
            Parameters({{L"SCALE_FACTOR", 0.5}, {L"false_easting", 1}, {L"Central_Meridian", 3}})),
        first);
}

TEST(RegistryIndex, UniqueNamesReuseFreedSuffixesAndLiveInTheirThread) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Info* names[4];
    for (int i = 0; i < 4; ++i)
        names[i] = factory.CreateLocalDatum(L"Site", 10000 + i);
    EXPECT_STREQ(names[3]->GetName(), L"Site~3");
    factory.DeleteItem(names[1]);
    EXPECT_STREQ(factory.CreateLocalDatum(L"SITE", 20000)->GetName(), L"SITE~1");
    EXPECT_STREQ(factory.CreateLocalDatum(L"site~2", 20001)->GetName(), L"site~4");

    const wchar_t* mine = factory.GetUniqueName(13, L"Site");
    std::thread([&] { factory.GetProductLine(9).GetUniqueName(L"other"); }).join();
    EXPECT_STREQ(mine, L"Site~5");
}
