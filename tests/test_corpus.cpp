// Texts written by another geodesy library, in two dialects: what reads, what does not and
// why, whether what reads writes a text that settles, and whether one factory that reads a
// whole file keeps every registry free of equal objects.
#include "quarn.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kGdalFile = std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_gdal_sample.jsonl";
const std::string kEsriFile = std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_esri_sample.jsonl";

struct LoadingFlag {
    explicit LoadingFlag(bool on) { SetPrjLoading(on); }
    ~LoadingFlag() { SetPrjLoading(false); }
};

bool Contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

std::wstring Replace(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at))
        text.replace(at, from.size(), to), at += to.size();
    return text;
}

std::wstring Rewrite(const std::wstring& text) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    return system != nullptr ? system->GetWKT(nullptr) : L"";
}

// Why a text gives no system. Every reason is a construct outside the dialect this library
// reads.
struct Unread {
    int extension = 0; // an EXTENSION clause
    int vertcs = 0;    // a VERTCS element on its own
    int siblings = 0;  // a compound written as a PROJCS followed by a sibling element
    int linunit = 0;   // a LINUNIT clause of a three-dimensional GEOGCS
    int other = 0;
};

// What became of the texts that do give a system.
struct Read {
    int settled = 0;        // its written text reads back to the same text
    int settledSecond = 0;  // only from the second round: default rotations written -0
    int nullAxis = 0;       // an axis of orientation OTHER, written NULL, does not read back
    int movingMeridian = 0; // a prime meridian under a non-degree unit moves every round
    int movingOrigin = 0;   // with the loading flag, a false origin is converted every round
    int unsettled = 0;      // none of the above
    int sameObject = 0;     // the written text read into the same factory is the same object
};

void Classify(const CorpusEntry& entry, Unread& unread) {
    const std::wstring& text = entry.wkt;
    if (Contains(text, L"EXTENSION"))
        ++unread.extension;
    else if (text.compare(0, 7, L"VERTCS[") == 0)
        ++unread.vertcs;
    else if (text.compare(0, 7, L"PROJCS[") == 0 && Contains(text, L"]],VERTCS["))
        ++unread.siblings;
    else if (Contains(text, L"LINUNIT["))
        ++unread.linunit;
    else {
        ++unread.other;
        ADD_FAILURE() << entry.id << " gives no system";
    }
}

// The geographic system inside a system, if any.
const CS_GeographicCoordinateSystem* GeographicOf(const CS_CoordinateSystem* system) {
    if (const auto* compound = dynamic_cast<const CS_CompoundCoordinateSystem*>(system))
        return GeographicOf(compound->GetHeadCS());
    if (const auto* projected = dynamic_cast<const CS_ProjectedCoordinateSystem*>(system))
        return projected->GetGeographicCoordinateSystem();
    return dynamic_cast<const CS_GeographicCoordinateSystem*>(system);
}

// A prime meridian off Greenwich written in a unit other than the degree reads back moved.
bool MeridianMoves(const CS_CoordinateSystem* system) {
    const CS_GeographicCoordinateSystem* geographic = GeographicOf(system);
    if (geographic == nullptr || geographic->GetPrimeMeridian()->GetLongitude() == 0) return false;
    return std::fabs(geographic->GetAngularUnit()->GetRadiansPerUnit() - 3.141592653589793 / 180) >
           1e-15;
}

// With the loading flag set, a false origin under a unit other than the metre is converted
// on every reading.
bool OriginMoves(const CS_CoordinateSystem* system) {
    if (!IsPrjLoading()) return false;
    if (const auto* compound = dynamic_cast<const CS_CompoundCoordinateSystem*>(system))
        return OriginMoves(compound->GetHeadCS());
    const auto* projected = dynamic_cast<const CS_ProjectedCoordinateSystem*>(system);
    if (projected == nullptr || projected->GetLinearUnit()->GetMetersPerUnit() == 1) return false;
    const CS_Projection* projection = projected->GetProjection();
    for (long i = 0; i < projection->GetNumParameters(); ++i) {
        const CS_ProjectionParameter* parameter = projection->GetParameter(i);
        if (parameter->value != 0 && (QuarnEqualNoCase(parameter->name, L"false_easting") ||
                                      QuarnEqualNoCase(parameter->name, L"false_northing")))
            return true;
    }
    return false;
}

void Follow(const CorpusEntry& entry, CQuarnCoordinateSystemFactory& factory,
            const CS_CoordinateSystem* system, Read& read) {
    const std::wstring first = system->GetWKT(nullptr);
    ASSERT_FALSE(first.empty()) << entry.id;
    const std::wstring second = Rewrite(first);
    if (factory.CreateFromWKT(first.c_str()) == system) ++read.sameObject;
    if (second.empty()) {
        EXPECT_TRUE(Contains(first, L",NULL]")) << entry.id;
        ++read.nullAxis;
    } else if (MeridianMoves(system)) {
        ++read.movingMeridian;
    } else if (OriginMoves(system)) {
        ++read.movingOrigin;
    } else if (second == first) {
        ++read.settled;
    } else {
        // The only change allowed is that of the default rotations.
        EXPECT_EQ(Replace(first, L", -0, -0, -0, ", L", 0, 0, 0, "), second) << entry.id;
        EXPECT_EQ(Rewrite(second), second) << entry.id;
        if (Replace(first, L", -0, -0, -0, ", L", 0, 0, 0, ") == second)
            ++read.settledSecond;
        else
            ++read.unsettled;
    }
}

// Reads every text of `file`, each into a factory of its own.
void ReadEach(const std::string& file, Unread& unread, Read& read) {
    const std::vector<CorpusEntry> entries = ReadCorpus(file);
    ASSERT_FALSE(entries.empty()) << file;
    for (const CorpusEntry& entry : entries) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(entry.wkt.c_str());
        if (system == nullptr)
            Classify(entry, unread);
        else
            Follow(entry, factory, system, read);
    }
}

template <class T> bool Equal(const CS_Info* later, const CS_Info* earlier) {
    const T* left = dynamic_cast<const T*>(later);
    const T* right = dynamic_cast<const T*>(earlier);
    EXPECT_NE(left, nullptr) << later->GetName();
    EXPECT_NE(right, nullptr) << earlier->GetName();
    return left != nullptr && right != nullptr && (*left == *right) != 0;
}

// Equality of two objects of one registry, by the class its object type names, the later
// object on the left as the create operations compare.
bool EqualByType(long type, const CS_Info* later, const CS_Info* earlier) {
    switch (type) {
    case kQuarnCompoundCS:
        return Equal<CQuarnCompoundCoordinateSystem>(later, earlier);
    case kQuarnFittedHorizontalCS:
        return Equal<CQuarnFittedHorizontalCoordinateSystem>(later, earlier);
    case kQuarnFittedVerticalCS:
        return Equal<CQuarnFittedVerticalCoordinateSystem>(later, earlier);
    case kQuarnProjectedCS:
        return Equal<CQuarnProjectedCoordinateSystem>(later, earlier);
    case kQuarnGeographicCS:
        return Equal<CQuarnGeographicCoordinateSystem>(later, earlier);
    case kQuarnGeocentricCS:
        return Equal<CQuarnGeocentricCoordinateSystem>(later, earlier);
    case kQuarnVerticalCS:
        return Equal<CQuarnVerticalCoordinateSystem>(later, earlier);
    case kQuarnLocalCS:
        return Equal<CQuarnLocalCoordinateSystem>(later, earlier);
    case kQuarnPrimeMeridian:
        return Equal<CQuarnPrimeMeridian>(later, earlier);
    case kQuarnEllipsoid:
        return Equal<CQuarnEllipsoid>(later, earlier);
    case kQuarnProjection:
        return Equal<CQuarnProjection>(later, earlier);
    case kQuarnHorizontalDatum:
        return Equal<CQuarnHorizontalDatum>(later, earlier);
    case kQuarnVerticalDatum:
        return Equal<CQuarnVerticalDatum>(later, earlier);
    case kQuarnLocalDatum:
        return Equal<CQuarnLocalDatum>(later, earlier);
    case kQuarnLinearUnit:
        return Equal<CQuarnLinearUnit>(later, earlier);
    case kQuarnAngularUnit:
        return Equal<CQuarnAngularUnit>(later, earlier);
    default:
        ADD_FAILURE() << "object type " << type;
        return false;
    }
}

// Reads a whole file into one factory and checks that no registered object equals one
// registered before it. Returns the number of texts that gave a system.
int ReadIntoOneFactory(const std::string& file, CQuarnCoordinateSystemFactory& factory) {
    int systems = 0;
    for (const CorpusEntry& entry : ReadCorpus(file))
        if (factory.CreateFromWKT(entry.wkt.c_str()) != nullptr) ++systems;
    for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
        const CQuarnInfoArray& registry = factory.GetProductLine(type);
        for (int later = 1; later < registry.GetSize(); ++later) {
            EXPECT_EQ(registry.GetAt(later)->GetObjectType(), type);
            for (int earlier = 0; earlier < later; ++earlier)
                EXPECT_FALSE(EqualByType(type, registry.GetAt(later), registry.GetAt(earlier)))
                    << "registry " << type << ": " << registry.GetAt(later)->GetName() << " equals "
                    << registry.GetAt(earlier)->GetName();
        }
    }
    return systems;
}

} // namespace

TEST(Corpus, TextsOfTheFirstDialect) {
    Unread unread;
    Read read;
    ReadEach(kGdalFile, unread, read);
    // Every one of the 696 texts gives a system.
    EXPECT_EQ(unread.extension + unread.vertcs + unread.siblings + unread.linunit + unread.other,
              0);
    // Datums with a TOWGS84 clause settle at once, those without from the second round.
    EXPECT_EQ(read.settled, 29);
    EXPECT_EQ(read.settledSecond, 639);
    // Geocentric systems with axes of orientation OTHER.
    EXPECT_EQ(read.nullAxis, 24);
    // Paris meridians under the grad.
    EXPECT_EQ(read.movingMeridian, 4);
    EXPECT_EQ(read.movingOrigin, 0);
    EXPECT_EQ(read.unsettled, 0);
    // All but the moved meridians and the unreadable axes come back as the same object.
    EXPECT_EQ(read.sameObject, 696 - 24 - 4);
}

TEST(Corpus, TextsOfThePrjDialect) {
    Unread unread;
    Read read;
    ReadEach(kEsriFile, unread, read);
    EXPECT_EQ(unread.extension, 0);
    // Vertical systems, and compounds whose head is a PROJCS, written with VERTCS.
    EXPECT_EQ(unread.vertcs, 25);
    EXPECT_EQ(unread.siblings, 30);
    // Three-dimensional geographic systems.
    EXPECT_EQ(unread.linunit, 26);
    EXPECT_EQ(unread.other, 0);
    // No datum carries a shift: every text settles from the second round. Compounds whose
    // head is a GEOGCS give that system (11 of these).
    EXPECT_EQ(read.settled, 0);
    EXPECT_EQ(read.settledSecond, 616);
    EXPECT_EQ(read.nullAxis, 0);
    EXPECT_EQ(read.movingMeridian, 4);
    EXPECT_EQ(read.movingOrigin, 0);
    EXPECT_EQ(read.unsettled, 0);
    EXPECT_EQ(read.sameObject, 620 - 4);
}

TEST(Corpus, TextsOfThePrjDialectWhileLoadingProjections) {
    Unread unread;
    Read read;
    {
        LoadingFlag loading(true);
        ReadEach(kEsriFile, unread, read);
    }
    EXPECT_FALSE(IsPrjLoading());
    // The flag changes names, shifts and false origins, not what reads.
    EXPECT_EQ(unread.vertcs, 25);
    EXPECT_EQ(unread.siblings, 30);
    EXPECT_EQ(unread.linunit, 26);
    EXPECT_EQ(unread.extension + unread.other, 0);
    EXPECT_EQ(read.settled, 42);
    EXPECT_EQ(read.settledSecond, 479);
    EXPECT_EQ(read.nullAxis, 0);
    EXPECT_EQ(read.movingMeridian, 4);
    EXPECT_EQ(read.movingOrigin, 95);
    EXPECT_EQ(read.unsettled, 0);
}

TEST(Corpus, OneFactoryPerFileKeepsEveryObjectCanonical) {
    ASSERT_FALSE(IsPrjLoading());
    {
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(ReadIntoOneFactory(kGdalFile, factory), 696);
    }
    {
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(ReadIntoOneFactory(kEsriFile, factory), 620);
    }
}
